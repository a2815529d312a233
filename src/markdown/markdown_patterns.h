#pragma once

#include "text/icu_regex.h"

// Line patterns shared by the card summary and the note document, compiled once.
namespace MarkdownPatterns {
// "#" to "######" and the white space after it.
const IcuRegex &headingMarker();
// "##" to "######" followed by white space: a heading of levels 2 to 6.
const IcuRegex &subheadingMarker();
// "-", "*" or "+" followed by white space.
const IcuRegex &bulletMarker();
// Three or more of "-", "*", "_", white space allowed between: a horizontal rule.
const IcuRegex &horizontalRule();
} // namespace MarkdownPatterns
