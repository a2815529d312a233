#pragma once

#include "note_file.h"

#include <QList>
#include <QString>

// The notes folder on disk: which files are notes, their order, and the welcome note.
namespace NoteFolder {

// Creates the folder if needed and lists its notes, newest first (an unknown date last, equal
// dates in name order), with their names, dates and sizes; no file is read. Safe to call on
// any thread. Notes are visible
// regular files, or links to them, named "*.md" in any case; FIFOs, devices, sockets, folders
// and dangling links are left out. With `createWelcomeIfEmpty`, an empty folder first gets the
// welcome note, never written over an existing entry of that name.
QList<NoteFile> list(const QString &folder, bool createWelcomeIfEmpty);

// `notes` (in that order) with the entry of the file at `path` stat'ed again and put where
// its date places it, or left out when it is no note now: a file just written, without
// listing the whole folder.
QList<NoteFile> withEntry(const QList<NoteFile> &notes, const QString &path);

// The notes page's short name of a folder: "iCloud Drive / Quillo" for any folder inside
// iCloud Drive, otherwise the folder's own name.
QString label(const QString &path);

} // namespace NoteFolder
