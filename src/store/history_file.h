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
// persistence worker, 0.18 s after the last of a burst of changes. A file that exists but
// cannot be read is kept aside ("<name>.rejected-<seconds>") before its first overwrite.
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

signals:
    // A write finished on the worker (emitted on the main thread).
    void saved();

private:
    void writePending();

    QString m_path;
    PersistenceQueue &m_queue;
    std::unique_ptr<StoreTimer> m_saveTimer;
    std::optional<QList<ClipItem>> m_pending;
    bool m_rejected = false; // the file on disk could not be read and is still in place
};
