#pragma once

#include <QString>

// User-perceived characters (extended grapheme clusters): a base with its combining marks,
// an emoji sequence or a flag counts as one.
namespace Graphemes {
// The first `count` grapheme clusters of text (the whole text when it has fewer).
QString left(const QString &text, int count);
int count(const QString &text);
// The longest prefix of whole grapheme clusters whose UTF-8 encoding fits maxBytes.
QString leftUtf8Bytes(const QString &text, int maxBytes);
} // namespace Graphemes
