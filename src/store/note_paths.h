#pragma once

#include <QDateTime>
#include <QString>

// File-system rules of the notes folder: which names are taken, which targets may be written,
// and how a free-form title becomes a safe file name.
namespace NotePaths {

// Longest counter the naming loop tries ("base 999999.md"); names are cut to leave room for it.
constexpr int kMaxCounter = 999999;
// Linux file names are limited to 255 bytes.
constexpr int kMaxFileNameBytes = 255;

// True when the folder has an entry of that name of any kind: file, folder, FIFO, or a
// symbolic link even when it dangles (writing through it would land outside the folder).
bool entryExists(const QString &path);

// True when `path` may be replaced by a new note text: it does not exist at all, or it is a
// regular file or a link that ends at one. Otherwise false with a description in *errorText.
bool isWritableNoteTarget(const QString &path, QString *errorText);

// A file base name made from a title: path separators and the characters other systems
// reject become "-", control characters too (a NUL would cut the path), leading dots are
// dropped (a hidden file is never listed), and whole grapheme clusters are cut until
// "<base> 999999.md" fits in 255 UTF-8 bytes. Never empty: `fallback` when nothing is left.
QString safeBaseName(const QString &title, const QString &fallback);

// Where a text that could not be saved over `notePath` (the file changed elsewhere) goes:
// "<name> (冲突 yyyy-MM-dd HHmmss).md" beside it, `name` being the note's file name without
// ".md", made unique like any note (a " 2", " 3", ... before ".md"). Empty when no name is free.
QString conflictPath(const QString &notePath, const QDateTime &when);

// "<folder>/<base>.md", else "<folder>/<base> 2.md", "<base> 3.md", ... the first name not
// taken (entryExists). Empty when every counter up to kMaxCounter is taken, or without a folder.
QString uniqueNotePath(const QString &folder, const QString &base);

} // namespace NotePaths
