#pragma once

#include "clip_item.h"

#include <QString>

// Pictures of notes made from clipboard entries live in the notes folder's "附件" folder.
namespace NoteAttachments {

// Copies the entry's stored picture (one in `imagesDirectory`) into "<noteFolder>/附件" and
// gives the copy's name in *fileName. A file of the same name is reused only when it holds the
// same bytes; a different picture from the same second gets "-2", "-3", ... On failure returns
// false with the status line to show in *status.
bool copyPicture(const ClipItem &item, const QString &imagesDirectory, const QString &noteFolder, QString *fileName,
                 QString *status);

} // namespace NoteAttachments
