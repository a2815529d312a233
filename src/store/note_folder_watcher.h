#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>

class StoreClock;
class StoreTimer;

// Tells when another program changes the notes folder: a note added, removed, renamed or
// rewritten. The folder's own events do not include a file written in place, so the files
// given (the open note and the newest ones) are watched too. Editors and sync tools save by
// writing a new file and renaming it over the old one, which ends the watch of the old file:
// every watch() checks which file each path now names and watches the new one. Events that
// come within kDelayMs of the first one are reported as one `changed`.
class NoteFolderWatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDelayMs = 250;
    // inotify watches are a shared, limited resource: a large folder's older notes are followed
    // through the folder's events only.
    static constexpr int kMaxFiles = 200;

    explicit NoteFolderWatcher(StoreClock &clock, QObject *parent = nullptr);
    ~NoteFolderWatcher() override;

    // Watches `folder` and the first kMaxFiles of `files`, replacing what was watched before.
    void watch(const QString &folder, const QStringList &files);
    // Watches nothing and drops a change not reported yet.
    void stop();
    bool isWatching() const { return !m_identities.isEmpty(); }

signals:
    void changed();

private:
    void onEvent();

    QFileSystemWatcher m_watcher;
    std::unique_ptr<StoreTimer> m_delay;
    QHash<QString, QString> m_identities; // watched path -> device and inode it named
};
