#pragma once

#include "clip_item.h"
#include "pasteboard.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class PersistenceQueue;

// The history's pictures: PNG files the store writes into its "ClipboardImages" folder. Only
// such stored pictures (see StoredPictures) are ever compared by content, loaded or deleted.
class ClipPictures : public QObject
{
    Q_OBJECT
public:
    // The queue must outlive this object.
    ClipPictures(const QString &directory, PersistenceQueue &queue, QObject *parent = nullptr);

    const QString &directory() const { return m_directory; }

    // Pictures whose file could not be written are kept in memory, at most this many.
    static constexpr int kMaxUnsaved = 16;

    using Done = std::function<void(const std::optional<ClipItem> &entry)>;
    struct Written; // what the worker reports about one picture

    // Takes a picture from the clipboard: names its file on the main thread, then decodes it,
    // encodes it as PNG and writes it on the persistence worker, and calls `done` on the main
    // thread with its entry once the file exists, or with nothing. A picture whose file could
    // not be written (a full disk) is kept, the failure reported, and written again at the next
    // retryUnsaved(); its entry then comes through stored().
    void capture(const Pasteboard::RawImage &image, Done done);
    // Writes the kept pictures again.
    void retryUnsaved();
    // Why the last picture could not be written, for the panel; empty once all are written.
    const QString &failure() const { return m_failure; }

    // True when both name stored pictures with the same bytes (SHA-256 of the files, cached).
    bool sameContent(const QString &pathA, const QString &pathB);
    // Deletes the stored pictures of `gone` entries unless a `remaining` entry still names the
    // same file (by any path that resolves to it), and forgets their digests.
    void release(const QList<ClipItem> &gone, const QList<ClipItem> &remaining);
    // The decoded picture of an entry that names a stored picture; a null image otherwise.
    QImage load(const ClipItem &item) const;

signals:
    // A kept picture was written at last.
    void stored(const ClipItem &entry);
    void failureChanged();

private:
    struct Unsaved
    {
        ClipItem entry;
        QByteArray png;
    };
    QByteArray digest(const QString &path);
    void onWritten(const Written &written);
    void setFailure(const QString &failure);

    QString m_directory;
    PersistenceQueue &m_queue;
    QHash<QString, QByteArray> m_digests; // by path; capture fills it, the file otherwise
    QList<Unsaved> m_unsaved;
    QString m_failure;
};
