#include "views/notes/new_note_button.h"
#include "views/style/focus_ring.h"

#include "views/style/glass_painter.h"
#include "views/style/icons.h"

#include <QFontMetrics>
#include <QPainter>

NewNoteButton::NewNoteButton(const NewButtonStyle &style, QWidget *parent)
    : QAbstractButton(parent)
    , m_style(style)
{
    setText(m_style.label);
    setFont(m_style.font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setFixedSize(sizeHint());
}

QSize NewNoteButton::sizeHint() const
{
    const int textWidth = QFontMetrics(m_style.font).horizontalAdvance(text());
    return QSize(2 * m_style.paddingX + m_style.iconSize + m_style.spacing + textWidth, m_style.height);
}

void NewNoteButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    GlassPainter::paintFill(painter, GlassPainter::roundedRect(rect(), m_style.radius),
                            isDown() ? m_style.fillPressed : m_style.fill);
    const QRectF icon(m_style.paddingX, (height() - m_style.iconSize) / 2.0, m_style.iconSize, m_style.iconSize);
    Icons::paint(painter, m_style.icon, icon, m_style.iconSize, m_style.text);
    painter.setFont(m_style.font);
    painter.setPen(m_style.text);
    const int left = m_style.paddingX + m_style.iconSize + m_style.spacing;
    painter.drawText(QRect(left, 0, width() - left, height()), Qt::AlignLeft | Qt::AlignVCenter, text());
    // White on the accent fill: the ring is drawn in white inside the edge.
    if (hasFocus())
        GlassPainter::paintRim(painter,
                               GlassPainter::roundedRect(QRectF(rect()).adjusted(2, 2, -2, -2), m_style.radius - 2),
                               m_style.text, FocusRingStyle::standard().width);
}
