#pragma once

#include "markdown/note_document_builder.h"
#include "views/notes/notes_page_style.h"

#include <QTextBrowser>
#include <optional>

// The rendered note: read-only but selectable, links shown as text and never followed, no
// scroll bar (the wheel and keys still scroll). The text sits inset from the edges inside
// the scrolled content.
//
// The document is a pure function of title, body and style, so showing the same note again
// is a no-op that keeps the reader's selection and scroll position. New text replaces the
// document and keeps the selection where it still fits.
class SelectableNoteView : public QTextBrowser
{
    Q_OBJECT
public:
    explicit SelectableNoteView(QWidget *parent = nullptr, const NoteViewStyle &style = {});

    void setContent(const QString &title, const QString &body);
    // How many times the document was rebuilt, for tests and benchmarks.
    int renderCount() const { return m_renderCount; }

private:
    void applyInset();

    NoteViewStyle m_style;
    std::optional<NoteDocumentInput> m_input;
    int m_renderCount = 0;
};
