#include "views/notes/selectable_note_view.h"

#include "views/style/fonts.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>

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
}

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

void SelectableNoteView::setContent(const QString &title, const QString &body)
{
    NoteDocumentInput input{title, body, m_style.document};
    if (m_input && *m_input == input)
        return;
    const QTextCursor old = textCursor();
    const int start = old.selectionStart();
    const int end = old.selectionEnd();
    const bool forward = old.anchor() <= old.position();

    NoteDocumentBuilder::fill(*document(), input);
    applyInset();
    m_input = std::move(input);
    ++m_renderCount;

    const int length = document()->characterCount() - 1;
    QTextCursor cursor(document());
    if (const auto range = NoteDocumentBuilder::restoredSelection(start, end, length)) {
        cursor.setPosition(forward ? range->first : range->second);
        cursor.setPosition(forward ? range->second : range->first, QTextCursor::KeepAnchor);
    }
    setTextCursor(cursor);
}
