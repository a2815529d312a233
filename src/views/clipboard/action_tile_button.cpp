#include "views/clipboard/action_tile_button.h"

#include "views/style/glass_painter.h"
#include "views/style/icons.h"

#include <QPainter>

ActionTileButton::ActionTileButton(QWidget *parent, ActionTileStyle style)
    : QAbstractButton(parent)
    , m_style(std::move(style))
    , m_icon(m_style.icon)
    , m_fill(m_style.fill)
{
    setFixedSize(m_style.size, m_style.size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
}

void ActionTileButton::setLook(const QString &symbol, const QColor &icon, const QColor &fill, const QString &label)
{
    if (toolTip() != label) {
        setToolTip(label);
        setAccessibleName(label);
    }
    if (m_symbol == symbol && m_icon == icon && m_fill == fill)
        return;
    m_symbol = symbol;
    m_icon = icon;
    m_fill = fill;
    update();
}

void ActionTileButton::setOpacity(double opacity)
{
    if (opacity == m_opacity)
        return;
    m_opacity = opacity;
    update();
}

void ActionTileButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(m_opacity);
    const QColor fill = isDown() && m_fill == m_style.fill ? m_style.fillPressed : m_fill;
    GlassPainter::paintFill(painter, GlassPainter::roundedRect(QRectF(rect()), m_style.radius), fill);
    Icons::paint(painter, m_symbol, QRectF(rect()), m_style.iconSize, m_icon);
}
