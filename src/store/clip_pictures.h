#pragma once

#include "clip_item.h"
#include "pasteboard.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>

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

    // Takes a picture from the clipboard: names its file on the main thread, then decodes it,
    // encodes it as PNG and writes it on the persistence worker, and emits stored() with its
    // entry once the file exists. False, with nothing queued, when there are no bytes; a
    // picture that cannot be decoded is dropped on the worker without a signal.
    bool capture(const Pasteboard::RawImage &image);

    // True when both name stored pictures with the same bytes (SHA-256 of the files, cached).
    bool sameContent(const QString &pathA, const QString &pathB);
    // Deletes the stored pictures of `gone` entries unless a `remaining` entry still names the
    // same file (by any path that resolves to it), and forgets their digests.
    void release(const QList<ClipItem> &gone, const QList<ClipItem> &remaining);
    // The decoded picture of an entry that names a stored picture; a null image otherwise.
    QImage load(const ClipItem &item) const;

signals:
    void stored(const ClipItem &entry);

private:
    QByteArray digest(const QString &path);

    QString m_directory;
    PersistenceQueue &m_queue;
    QHash<QString, QByteArray> m_digests; // by path; capture fills it, the file otherwise
};
