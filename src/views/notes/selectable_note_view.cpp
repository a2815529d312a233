#include "views/notes/selectable_note_view.h"

#include "markdown/note_document_writer.h"
#include "views/style/fonts.h"

#include <QAbstractTextDocumentLayout>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

namespace {
// Characters of note text written per slice: a few milliseconds of building and layout.
constexpr qsizetype kSliceCharacters = 6000;
} // namespace

SelectableNoteView::SelectableNoteView(QWidget *parent, const NoteViewStyle &style)
    : QTextBrowser(parent)
    , m_style(style)
{
    if (m_style.document.codeFamilies.isEmpty())
        m_style.document.codeFamilies = Fonts::mono(m_style.document.codeSize).families();
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // Selectable by keyboard means a caret while focused (it takes the focus when the editor
    // closes); nothing here is typed into, so it is never drawn.
    setCursorWidth(0);
    setUndoRedoEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    QPalette transparent = palette();
    transparent.setColor(QPalette::Base, Qt::transparent);
    setPalette(transparent);
    viewport()->setAutoFillBackground(false);
    applyInset();
    m_slices.setSingleShot(true);
    m_slices.setInterval(0);
    connect(&m_slices, &QTimer::timeout, this, &SelectableNoteView::writeSlice);
}

SelectableNoteView::~SelectableNoteView() = default;

// The inset lives on the root frame (not the viewport) so it scrolls with the text, as a
// margin of the content rather than a fixed border.
void SelectableNoteView::applyInset()
{
    QTextDocument *doc = document();
    doc->setDocumentMargin(0);
    QTextFrameFormat format = doc->rootFrame()->frameFormat();
    format.setLeftMargin(m_style.insetX);
    format.setRightMargin(m_style.insetX);
    format.setTopMargin(m_style.insetY);
    format.setBottomMargin(m_style.insetY);
    doc->rootFrame()->setFrameFormat(format);
}

void SelectableNoteView::setContent(const QString &title, const QString &body, bool keepScroll)
{
    NoteDocumentInput input{title, body, m_style.document};
    if (m_input && *m_input == input)
        return;
    const QTextCursor old = textCursor();
    const int start = old.selectionStart();
    const int end = old.selectionEnd();
    const bool forward = old.anchor() <= old.position();
    const int scroll = keepScroll ? verticalScrollBar()->value() : 0;

    m_slices.stop();
    m_writer = std::make_unique<NoteDocumentWriter>(*document(), input);
    applyInset();
    m_input = std::move(input);
    ++m_renderCount;
    writeUntilFilled(scroll + viewport()->height());

    const int length = document()->characterCount() - 1;
    QTextCursor cursor(document());
    if (const auto range = NoteDocumentBuilder::restoredSelection(start, end, length)) {
        cursor.setPosition(forward ? range->first : range->second);
        cursor.setPosition(forward ? range->second : range->first, QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
    verticalScrollBar()->setValue(scroll);
    if (m_writer)
        m_slices.start();
}

// Writes slices until the laid-out text reaches `bottom` (in the document's coordinates) or
// the note ends.
void SelectableNoteView::writeUntilFilled(int bottom)
{
    while (m_writer) {
        if (m_writer->writeMore(kSliceCharacters))
            m_writer.reset();
        if (document()->documentLayout()->documentSize().height() > bottom)
            break;
    }
}

void SelectableNoteView::writeSlice()
{
    if (!m_writer)
        return;
    if (m_writer->writeMore(kSliceCharacters))
        m_writer.reset();
    else
        m_slices.start();
}
