#include "preferences_file.h"

#include "atomic_file.h"
#include "clip_json.h"
#include "store_paths.h"

#include <QFileInfo>

namespace {

// Far above any real preferences file; only keeps a huge file from being read whole.
constexpr qint64 kMaxPreferencesFileBytes = qint64(1) << 30;

} // namespace

PreferencesFile::PreferencesFile(const QString &path)
    : m_path(path)
{
}

std::optional<Preferences> PreferencesFile::load()
{
    QByteArray data;
    const bool read = AtomicFile::readRegularFile(m_path, &data, kMaxPreferencesFileBytes);
    std::optional<Preferences> preferences = read ? ClipJson::decodePreferences(data) : std::nullopt;
    m_rejected = !preferences && QFileInfo(m_path).isFile();
    if (preferences)
        preferences->noteDirectory = StorePaths::withoutTrailingSlash(preferences->noteDirectory);
    return preferences;
}

bool PreferencesFile::save(const Preferences &preferences, QString *errorText)
{
    if (m_rejected) {
        if (!AtomicFile::moveAside(m_path)) {
            if (errorText)
                *errorText = QStringLiteral("cannot keep the unreadable preferences file aside");
            return false;
        }
        m_rejected = false;
    }
    const Preferences stored{StorePaths::withoutTrailingSlash(preferences.noteDirectory), preferences.ignoreSensitive};
    return AtomicFile::write(m_path, ClipJson::encodePreferences(stored), AtomicFile::Mode::OwnerOnly, errorText);
}
