#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// Reading text files that other programs share with us: only regular files (or links to them)
// are opened, so a FIFO, a device or a folder named like a note is refused without blocking;
// at most a given number of bytes is read, so a huge file costs no more than its first part.
namespace TextFile {

struct Bytes
{
    QByteArray data;       // at most the maxBytes asked for
    bool complete = false; // data is the whole file
    qint64 size = -1;      // the file's size when it was opened
    qint64 modifiedNs = 0; // its modification time, nanoseconds since the epoch
};

// Nothing when the path is not a regular file or cannot be read.
std::optional<Bytes> readBytes(const QString &path, qint64 maxBytes);

// UTF-8 text without a leading byte-order mark; nothing for invalid UTF-8. An incomplete
// read may end inside a character: that character is left out.
std::optional<QString> decodeUtf8(const QByteArray &data, bool complete);

bool hasByteOrderMark(const QByteArray &data);

// The first maxBytes of a file (all of it when smaller) as UTF-8 text; nothing when the file
// cannot be read or is not valid UTF-8.
std::optional<QString> readUtf8(const QString &path, qint64 maxBytes);

} // namespace TextFile
