#pragma once

#include "markdown/note_document_style.h"

#include <QString>
#include <optional>
#include <utility>

class QTextDocument;

// What a rendered note depends on. The document is a pure function of these, so a view
// that keeps the last input can skip rebuilding (and keep selection and scroll position)
// when nothing changed: compare with ==.
struct NoteDocumentInput
{
    QString title;
    QString body;
    NoteDocumentStyle style;

    bool operator==(const NoteDocumentInput &other) const = default;
};

// Builds the read-only styled note: the title paragraph, then one paragraph per body
// line, each with the fonts and colours of its kind. Plain text only: the note never
// reaches an HTML parser. Fonts come from QFontDatabase, so a QGuiApplication must exist.
namespace NoteDocumentBuilder {
// Replaces the whole content of document (NoteDocumentWriter does it in slices).
void fill(QTextDocument &document, const NoteDocumentInput &input);

// The selection to restore after the content was replaced: the old range cut to the new
// length, or nothing when the old start lies past the new end. Positions as in
// QTextCursor; newLength is the number of characters of the new text.
std::optional<std::pair<int, int>> restoredSelection(int start, int end, int newLength);
} // namespace NoteDocumentBuilder
