#pragma once

#include "markdown/note_document_builder.h"

#include <QStringList>
#include <memory>

class QTextDocument;

// Writes a note into a document a slice at a time: the title and the first lines at once, so a
// long note can be shown (and laid out) from its beginning while the rest follows. The result
// is the same as NoteDocumentBuilder::fill. The document must outlive the writer and must not
// be changed by anyone else while the writer works on it.
class NoteDocumentWriter
{
public:
    // Clears the document and writes the title.
    NoteDocumentWriter(QTextDocument &document, const NoteDocumentInput &input);
    ~NoteDocumentWriter();
    NoteDocumentWriter(const NoteDocumentWriter &) = delete;
    NoteDocumentWriter &operator=(const NoteDocumentWriter &) = delete;

    // Appends body lines, at least one, until about `maxCharacters` were written; true when
    // the whole note is in the document.
    bool writeMore(qsizetype maxCharacters);
    bool isDone() const;

private:
    struct Private;
    std::unique_ptr<Private> d;
};
