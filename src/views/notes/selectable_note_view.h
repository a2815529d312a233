#pragma once

#include "markdown/note_document_builder.h"
#include "views/notes/notes_page_style.h"

#include <QTextBrowser>
#include <QTimer>
#include <memory>
#include <optional>

class NoteDocumentWriter;

// The rendered note: read-only but selectable, links shown as text and never followed, no
// scroll bar (the wheel and keys still scroll). The text sits inset from the edges inside
// the scrolled content.
//
// The document is a pure function of title, body and style, so showing the same note again
// is a no-op that keeps the reader's selection and scroll position. New text replaces the
// document and keeps the selection where it still fits. A long note is written (and laid out)
// as far as the view shows at once, the rest in slices between events, so opening it never
// stalls the panel.
class SelectableNoteView : public QTextBrowser
{
    Q_OBJECT
public:
    explicit SelectableNoteView(QWidget *parent = nullptr, const NoteViewStyle &style = {});
    ~SelectableNoteView() override;

    // keepScroll: the same note again (changed on disk, say): the view stays where it was
    // instead of showing the top.
    void setContent(const QString &title, const QString &body, bool keepScroll = false);
    // The whole note is in the document (no slice is left to write).
    bool isComplete() const { return !m_writer; }
    // How many times the document was rebuilt, for tests and benchmarks.
    int renderCount() const { return m_renderCount; }

private:
    void applyInset();
    void writeUntilFilled(int bottom);
    void writeSlice();

    NoteViewStyle m_style;
    std::optional<NoteDocumentInput> m_input;
    std::unique_ptr<NoteDocumentWriter> m_writer;
    QTimer m_slices;
    int m_renderCount = 0;
};
