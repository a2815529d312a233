#include "views/widgets/styled_button.h"
#include "views/style/focus_ring.h"

#include "views/style/glass_painter.h"
#include "views/style/icons.h"

#include <QFontMetrics>
#include <QPainter>

StyledButton::StyledButton(const QString &text, ButtonStyle style, QWidget *parent)
    : QAbstractButton(parent)
    , m_style(std::move(style))
{
    setText(text);
    setFont(m_style.font);
    setAccessibleName(text);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    connect(this, &QAbstractButton::pressed, this, qOverload<>(&QWidget::update));
    connect(this, &QAbstractButton::released, this, qOverload<>(&QWidget::update));
}

void StyledButton::setSymbol(const QString &symbol)
{
    m_symbol = symbol;
    updateGeometry();
    update();
}

QSize StyledButton::sizeHint() const
{
    const QFontMetrics metrics(m_style.font);
    int width = metrics.horizontalAdvance(text());
    if (!m_symbol.isEmpty())
        width += m_style.iconSize + m_style.iconSpacing;
    const int height = std::max(metrics.height(), m_style.iconSize);
    return QSize(width + m_style.padding.left() + m_style.padding.right(),
                 height + m_style.padding.top() + m_style.padding.bottom());
}

void StyledButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = rect();
    const QPainterPath path = GlassPainter::roundedRect(bounds, m_style.radius);
    GlassPainter::paintFill(painter, path, currentFill());
    if (m_style.rim.alpha() > 0)
        GlassPainter::paintRim(painter, path, m_style.rim, m_style.rimWidth);

    const QFontMetrics metrics(m_style.font);
    const int textWidth = metrics.horizontalAdvance(text());
    const int iconRoom = m_symbol.isEmpty() ? 0 : m_style.iconSize + m_style.iconSpacing;
    const double left = bounds.center().x() - (textWidth + iconRoom) / 2.0;
    if (!m_symbol.isEmpty())
        Icons::paint(painter, m_symbol, QRectF(left, 0, m_style.iconSize, height()), m_style.iconSize, m_style.text);
    painter.setFont(m_style.font);
    painter.setPen(m_style.text);
    painter.drawText(QRectF(left + iconRoom, 0, textWidth + 1, height()), Qt::AlignVCenter | Qt::AlignLeft, text());
    FocusRing::paintIfFocused(painter, *this, bounds, m_style.radius);
}
