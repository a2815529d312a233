#include "views/notes/note_editor.h"

#include "views/style/glass_painter.h"

#include <QPainter>
#include <QPlainTextEdit>
#include <QVBoxLayout>

NoteEditor::NoteEditor(const NoteEditorStyle &style, QWidget *parent)
    : QWidget(parent)
    , m_style(style)
{
    m_edit = new QPlainTextEdit(this);
    m_edit->setFrameShape(QFrame::NoFrame);
    m_edit->setFont(m_style.font);
    m_edit->setTabChangesFocus(false);
    m_edit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_edit->document()->setDocumentMargin(0);
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, m_style.text);
    m_edit->setPalette(palette);
    m_edit->viewport()->setAutoFillBackground(false);

    auto *layout = new QVBoxLayout(this);
    const int inset = m_style.outerPadding + m_style.innerPadding;
    layout->setContentsMargins(inset, inset, inset, inset);
    layout->addWidget(m_edit);
    setFocusProxy(m_edit);
    connect(m_edit->document(), &QTextDocument::contentsChanged, this, &NoteEditor::onContentsChanged);
}

void NoteEditor::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    m_settingText = true;
    m_edit->setPlainText(text);
    m_settingText = false;
}

void NoteEditor::onContentsChanged()
{
    if (m_settingText)
        return;
    m_text = m_edit->toPlainText();
    emit textEdited(m_text);
}

void NoteEditor::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double half = m_style.rimWidth / 2;
    const QRectF field = QRectF(rect().marginsRemoved(QMargins(m_style.outerPadding, m_style.outerPadding,
                                                               m_style.outerPadding, m_style.outerPadding)))
                             .adjusted(half, half, -half, -half);
    const QPainterPath path = GlassPainter::roundedRect(field, m_style.radius);
    GlassPainter::paintFill(painter, path, m_style.fill);
    GlassPainter::paintRim(painter, path, m_style.rim, m_style.rimWidth);
}
