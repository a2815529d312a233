#pragma once

#include <QString>
#include <optional>

// Reads a note file afresh as UTF-8 text. Only regular files (or links to them) are read:
// a FIFO, a device or a folder named like a note is refused without blocking. A leading
// UTF-8 byte-order mark is dropped. Invalid UTF-8 counts as unreadable.
namespace NoteTextReader {
std::optional<QString> read(const QString &path);
// The text, or the empty text when the file cannot be read.
QString readOrEmpty(const QString &path);
} // namespace NoteTextReader
