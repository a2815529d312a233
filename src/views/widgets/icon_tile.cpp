#include "views/widgets/icon_tile.h"
#include "views/style/focus_ring.h"

#include "views/style/glass_painter.h"
#include "views/style/icons.h"

#include <QPainter>

IconTile::IconTile(const IconTileStyle &style, QWidget *parent)
    : QAbstractButton(parent)
    , m_style(style)
{
    setFixedSize(m_style.size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    applyLook();
}

void IconTile::setActive(bool active)
{
    if (m_active == active)
        return;
    m_active = active;
    applyLook();
    update();
}

void IconTile::applyLook()
{
    setToolTip(currentLook().toolTip);
    setAccessibleName(currentLook().toolTip);
}

void IconTile::paintEvent(QPaintEvent *)
{
    const TileLook &look = currentLook();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double inset = m_style.rimWidth / 2;
    const QRectF tile = QRectF(rect()).adjusted(inset, inset, -inset, -inset);
    const QPainterPath path = GlassPainter::roundedRect(tile, m_style.radius);
    QColor fill = look.fill;
    if (isDown())
        fill = Palette::withOpacity(fill, 0.75);
    GlassPainter::paintFill(painter, path, fill);
    if (m_style.rimWidth > 0 && look.rim.alpha() > 0)
        GlassPainter::paintRim(painter, path, look.rim, m_style.rimWidth);
    Icons::paint(painter, look.icon, rect(), m_style.iconSize, look.iconColor);
    FocusRing::paintIfFocused(painter, *this, rect(), m_style.radius);
}
