#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QUrl>

// What a note's file was when it was read, to tell whether another program changed it since.
struct NoteStamp
{
    bool exists = false;
    qint64 size = -1;
    qint64 modifiedNs = 0;
    QByteArray digest; // SHA-256 of the bytes read

    // The file still is what it was: same size, time and bytes. A file that was never read
    // (exists false) matches only a path where nothing is.
    bool matchesFile(const QString &path) const;

    bool operator==(const NoteStamp &other) const = default;
};

// One Markdown note. Its identity is `url`. A folder listing fills in the name, date and size;
// reading the file (`read`) adds its text and stamp.
struct NoteFile
{
    // A note is a text someone types: beyond this only the first part is read, shown read-only
    // and never saved over.
    static constexpr qint64 kMaxReadBytes = qint64(4) << 20;

    QUrl url;             // file URL of the .md file
    QDateTime modifiedAt; // invalid = unknown ("distant past": sorts last)
    qint64 size = -1;     // bytes; -1 unknown
    QString content;      // the text as read; empty when unreadable, not UTF-8, or only listed
    bool readable = true; // false when the file could not be read as valid UTF-8: never saved over
    bool hasBom = false;  // the file started with a UTF-8 byte-order mark, kept on save
    bool complete = true; // false: content is only the first kMaxReadBytes of a larger file
    NoteStamp stamp;      // the file as read; empty for a listed note

    // Reads the file; never fails (see `readable`).
    static NoteFile read(const QUrl &url);

    // The bytes of this note's file holding `text`: a byte-order mark it had is kept.
    QByteArray fileBytes(const QString &text) const;

    QUrl id() const { return url; }
    QString title() const { return url.fileName(); }
    QString path() const { return url.toLocalFile(); }

    bool operator==(const NoteFile &other) const = default;
};
