#pragma once

#include <QString>
#include <QStringList>

// Line handling shared by the Markdown presentation. Newline characters are LF, VT, FF,
// CR, NEL (U+0085), LINE SEPARATOR and PARAGRAPH SEPARATOR; each one ends a line, so a
// CR LF pair yields an extra empty line. "Spaces" are tab plus the Unicode space
// separators (category Zs, which includes NO-BREAK SPACE and IDEOGRAPHIC SPACE).
namespace TextLines {
bool isNewline(QChar c);
bool isSpace(QChar c);

// Always at least one element: an empty text is one empty line.
QStringList split(const QString &text);

// Trims spaces and tabs only, never newlines.
QString trimSpaces(const QString &text);
// Trims spaces, tabs and newline characters.
QString trimWhitespaceAndNewlines(const QString &text);

// Every occurrence of ".md" removed (case-sensitive), as titles derived from file names.
QString withoutMdExtension(const QString &fileName);
} // namespace TextLines
