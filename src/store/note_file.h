#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>

// One Markdown note as read from disk. Its identity is `url`.
struct NoteFile
{
    QUrl url;             // file URL of the .md file
    QDateTime modifiedAt; // invalid = unknown ("distant past": sorts last)
    QString content;      // whole text; empty when unreadable or not UTF-8
    bool readable = true; // false when the file could not be read as valid UTF-8: never saved over
    bool hasBom = false;  // the file started with a UTF-8 byte-order mark, kept on save

    // Reads the file; never fails (see `readable`).
    static NoteFile read(const QUrl &url);

    QUrl id() const { return url; }
    QString title() const { return url.fileName(); }
    QString path() const { return url.toLocalFile(); }

    bool operator==(const NoteFile &other) const = default;
};
