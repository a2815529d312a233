#pragma once

#include <QString>

// Where the store keeps its files, and the folder rules they share.
namespace StorePaths {

// "<data home>/Quillo": $XDG_DATA_HOME or ~/.local/share.
QString supportDirectory();
// The candidate default note folders: the cloud drive's when its parent folder exists,
// else "<documents>/Quillo".
QString cloudDefaultNoteDirectory();
QString localDefaultNoteDirectory();

// The path without trailing slashes; "/" stays "/".
QString withoutTrailingSlash(QString path);

// A folder that may hold secrets: owner only. A missing one is created 0700 directly (never
// briefly 0755), its parents with the usual mode; an existing one with group or other bits is
// tightened to 0700. True when the folder exists afterwards.
bool createPrivateFolder(const QString &path);

// Lifts QImageReader's process-wide allocation limit (128 MB by default, which refuses an 8K
// screenshot) to a bound that still refuses a corrupt header claiming tens of gigabytes.
// Called once at start-up, before any picture is decoded on any thread.
void liftImageAllocationLimit();

} // namespace StorePaths
