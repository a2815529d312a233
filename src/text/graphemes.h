#pragma once

#include <QString>

// User-perceived characters (extended grapheme clusters): a base with its combining marks,
// an emoji sequence or a flag counts as one. Boundaries come from ICU's character break
// iterator; Qt 6.4's QTextBoundaryFinder reports one inside a surrogate pair when an emoji is
// followed by Thai, Khmer or Sinhala. A cut never splits a surrogate pair, whatever the input.
namespace Graphemes {
// The first `count` grapheme clusters of text (the whole text when it has fewer).
QString left(const QString &text, int count);
int count(const QString &text);
// The longest prefix of whole grapheme clusters whose UTF-8 encoding fits maxBytes.
QString leftUtf8Bytes(const QString &text, int maxBytes);
// The last cluster boundary at or before `position` (a UTF-16 index into text).
qsizetype boundaryAtOrBefore(const QString &text, qsizetype position);
} // namespace Graphemes
