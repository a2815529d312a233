#pragma once

#include "clip_item.h"

#include <QString>

// The text of a note made from a clipboard history entry: its title and its Markdown body.
namespace ClipNoteText {

// The note's title: the entry's first non-blank line (text, code), its title (file, link),
// or "剪贴板图片" (image); without a leading heading marker, line breaks and tabs folded to
// one space, trimmed, "剪贴板笔记" when empty, at most 36 grapheme clusters.
QString title(const ClipItem &item);

// The Markdown body: a heading with `title`, then the entry in the form its kind calls for.
// `imageFileName` is the picture's name inside "附件" (image entries only).
QString body(const ClipItem &item, const QString &title, const QString &imageFileName = {});

// "剪贴板图片-<unix seconds>.png", or "...-<n>.png" for n ≥ 2.
QString attachmentFileName(double createdAt, int counter = 1);

} // namespace ClipNoteText
