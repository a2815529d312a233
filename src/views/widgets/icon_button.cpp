#include "views/widgets/icon_button.h"
#include "views/style/focus_ring.h"

#include "views/style/icons.h"

#include <QFontMetrics>
#include <QPainter>

IconButton::IconButton(const QString &symbol, int iconSize, const QColor &color, QWidget *parent)
    : QAbstractButton(parent)
    , m_symbol(symbol)
    , m_iconSize(iconSize)
    , m_color(color)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void IconButton::setSymbol(const QString &symbol, const QColor &color)
{
    if (m_symbol == symbol && m_color == color)
        return;
    m_symbol = symbol;
    m_color = color;
    update();
}

void IconButton::setLabel(const QString &tip)
{
    setToolTip(tip);
    setAccessibleName(tip);
}

QSize IconButton::sizeHint() const
{
    if (text().isEmpty())
        return QSize(m_iconSize + 4, m_iconSize + 4);
    const QFontMetrics metrics(font());
    return QSize(m_iconSize + m_spacing + metrics.horizontalAdvance(text()) + 2,
                 std::max(m_iconSize, metrics.height()) + 4);
}

void IconButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setOpacity(isDown() ? 0.6 : 1.0);
    if (text().isEmpty()) {
        Icons::paint(painter, m_symbol, rect(), m_iconSize, m_color);
        return;
    }
    Icons::paint(painter, m_symbol, QRectF(0, 0, m_iconSize, height()), m_iconSize, m_color);
    painter.setPen(m_color);
    painter.setFont(font());
    painter.drawText(QRectF(m_iconSize + m_spacing, 0, width() - m_iconSize - m_spacing, height()),
                     Qt::AlignVCenter | Qt::AlignLeft, text());
    painter.setOpacity(1.0);
    FocusRing::paintIfFocused(painter, *this, rect(), FocusRingStyle::kPlainRadius);
}
