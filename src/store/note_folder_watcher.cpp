#include "note_folder_watcher.h"

#include "store_clock.h"

#include <QFile>
#include <QSet>
#include <sys/stat.h>

namespace {

// The device and inode a path names now (following links); empty when nothing is there.
QString identityOf(const QString &path)
{
    struct stat status
    {
    };
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return QString::number(status.st_dev) + QLatin1Char(':') + QString::number(status.st_ino);
}

} // namespace

NoteFolderWatcher::NoteFolderWatcher(StoreClock &clock, QObject *parent)
    : QObject(parent)
    , m_delay(clock.createTimer(StoreClock::Repeat::once, [this] { emit changed(); }))
{
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &NoteFolderWatcher::onEvent);
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &NoteFolderWatcher::onEvent);
}

NoteFolderWatcher::~NoteFolderWatcher() = default;

void NoteFolderWatcher::watch(const QString &folder, const QStringList &files)
{
    QStringList wanted{folder};
    wanted.append(files.mid(0, kMaxFiles));
    const QSet<QString> keep(wanted.cbegin(), wanted.cend());
    for (auto it = m_identities.begin(); it != m_identities.end();) {
        if (keep.contains(it.key())) {
            ++it;
            continue;
        }
        m_watcher.removePath(it.key());
        it = m_identities.erase(it);
    }
    // The watcher drops a path whose file was deleted; a new file there may even have the old
    // inode number, so both must still hold for a watch to be kept.
    const QStringList active = m_watcher.files() + m_watcher.directories();
    const QSet<QString> live(active.cbegin(), active.cend());
    for (const QString &path : std::as_const(wanted)) {
        if (path.isEmpty())
            continue;
        const QString identity = identityOf(path);
        const auto watched = m_identities.constFind(path);
        if (watched != m_identities.constEnd() && *watched == identity && !identity.isEmpty() && live.contains(path))
            continue;
        if (watched != m_identities.constEnd()) {
            m_watcher.removePath(path);
            m_identities.remove(path);
        }
        if (!identity.isEmpty() && m_watcher.addPath(path))
            m_identities.insert(path, identity);
    }
}

void NoteFolderWatcher::stop()
{
    const QStringList watched = m_watcher.files() + m_watcher.directories();
    if (!watched.isEmpty())
        m_watcher.removePaths(watched);
    m_identities.clear();
    m_delay->stop();
}

void NoteFolderWatcher::onEvent()
{
    if (!m_delay->isActive())
        m_delay->start(kDelayMs);
}
