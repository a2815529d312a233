#include "views/widgets/label_button.h"

#include "views/style/focus_ring.h"
#include "views/style/icons.h"

#include <QFontMetrics>
#include <QPainter>
#include <cmath>

LabelButton::LabelButton(const LabelButtonStyle &style, const QString &text, QWidget *parent)
    : QAbstractButton(parent)
    , m_style(style)
{
    setText(text);
    setFont(m_style.font);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QSize LabelButton::sizeHint() const
{
    // The text's exact width, rounded up: QFontMetrics rounds to the nearest pixel, and a
    // text a fraction wider than its rectangle gets elided.
    const QFontMetrics metrics(m_style.font);
    const int textWidth = int(std::ceil(QFontMetricsF(m_style.font).horizontalAdvance(text())));
    const int width = m_style.iconSize + m_style.spacing + textWidth;
    const int height = std::max(metrics.height(), m_style.iconSize);
    return QSize(width, height).grownBy(m_style.padding);
}

QSize LabelButton::minimumSizeHint() const
{
    const QSize hint = sizeHint();
    return QSize(m_style.iconSize + m_style.spacing + m_style.padding.left() + m_style.padding.right() + 24,
                 hint.height());
}

void LabelButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = isDown() ? m_style.textPressed : m_style.text;
    const QRect content = rect().marginsRemoved(m_style.padding);
    const QRectF iconRect(content.left(), content.center().y() - m_style.iconSize / 2.0 + 0.5, m_style.iconSize,
                          m_style.iconSize);
    Icons::paint(painter, m_style.icon, iconRect, m_style.iconSize, color);
    const int textLeft = content.left() + m_style.iconSize + m_style.spacing;
    const QRect textRect(textLeft, content.top(), std::max(0, content.right() - textLeft + 1), content.height());
    painter.setFont(m_style.font);
    painter.setPen(color);
    const bool fits = QFontMetricsF(m_style.font).horizontalAdvance(text()) <= textRect.width();
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                     fits ? text() : QFontMetrics(m_style.font).elidedText(text(), Qt::ElideMiddle, textRect.width()));
    FocusRing::paintIfFocused(painter, *this, rect(), FocusRingStyle::kPlainRadius);
}
