#pragma once

#include "clip_item.h"
#include "store_clock.h"

#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class PersistenceQueue;

// "clipboard-history.json": read once at start-up, written whole and atomically on the
// persistence worker, 0.18 s after the last of a burst of changes. Reading keeps at most the
// history limit (see HistoryLoadLimit). A file that exists but cannot be read, or that held
// more entries than were kept, is kept aside ("<name>.rejected-<seconds>",
// "<name>.untrimmed-<seconds>") before its first overwrite. A write that fails leaves the old
// file and is reported; the next change writes again.
class HistoryFile : public QObject
{
    Q_OBJECT
public:
    static constexpr int kSaveDelayMs = 180;

    // The queue and the clock must outlive this object.
    HistoryFile(const QString &path, PersistenceQueue &queue, StoreClock &clock, QObject *parent = nullptr);
    ~HistoryFile() override; // writes a pending save

    const QString &path() const { return m_path; }
    // The stored history; nothing when the file is missing or cannot be read.
    std::optional<QList<ClipItem>> load();
    // Keeps a snapshot and writes it once no other save follows within kSaveDelayMs.
    void save(const QList<ClipItem> &clips);
    bool isSavePending() const;
    // Writes a pending save at once and waits until the worker has written everything queued.
    void flush();
    // Why the last write failed, for the panel ("磁盘空间不足", ...); empty once one succeeded.
    const QString &failure() const { return m_failure; }

signals:
    // A write finished on the worker (emitted on the main thread).
    void saved();
    void failureChanged();

private:
    struct WorkerState;
    void writePending();
    void onWritten(const QString &failure);

    QString m_path;
    PersistenceQueue &m_queue;
    std::unique_ptr<StoreTimer> m_saveTimer;
    std::optional<QList<ClipItem>> m_pending;
    std::shared_ptr<WorkerState> m_worker; // touched on the worker only, once load() returned
    QString m_failure;
};
