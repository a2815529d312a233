#pragma once

#include <QString>

// Turns one line of Markdown into the plain text a reader sees: heading, bullet and quote
// markers at the start, images and links reduced to their text, inline code, bold,
// strike-through and italic marks removed, runs of white space collapsed to one space and
// the ends trimmed. Anything the rules do not recognise stays as typed.
namespace MarkdownPresentation {
QString clean(const QString &text);
} // namespace MarkdownPresentation
