#pragma once

#include <QString>
#include <optional>

// The title and body of the note detail, from the text being shown (the store's noteText)
// and the selected note's file name ("Plan.md"), if a note is selected.
namespace NoteDetailText {
// "# Title" on the first line gives "Title"; otherwise the file name without ".md";
// with no note selected, "笔记".
QString noteTitle(const QString &noteText, const std::optional<QString> &selectedFileName);
// The text without its first line when that line is the title (a "# " heading, or equal
// to the title once cleaned); otherwise the text unchanged.
QString displayBody(const QString &noteText, const std::optional<QString> &selectedFileName);
} // namespace NoteDetailText
