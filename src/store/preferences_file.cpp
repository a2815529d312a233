#include "preferences_file.h"

#include "atomic_file.h"
#include "clip_json.h"
#include "log_categories.h"
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
    if (m_rejected)
        qCWarning(lcStore) << "cannot read" << m_path << "- using the default settings";
    if (preferences)
        preferences->noteDirectory = StorePaths::withoutTrailingSlash(preferences->noteDirectory);
    return preferences;
}

bool PreferencesFile::save(const Preferences &preferences, QString *errorText)
{
    if (m_rejected) {
        if (!AtomicFile::moveAside(m_path)) {
            qCWarning(lcStore) << "cannot keep the unreadable" << m_path << "aside; not overwriting it";
            if (errorText)
                *errorText = QStringLiteral("无法保留读不出的设置文件");
            return false;
        }
        m_rejected = false;
    }
    const Preferences stored{StorePaths::withoutTrailingSlash(preferences.noteDirectory), preferences.ignoreSensitive};
    return AtomicFile::write(m_path, ClipJson::encodePreferences(stored), AtomicFile::Mode::OwnerOnly, errorText);
}
