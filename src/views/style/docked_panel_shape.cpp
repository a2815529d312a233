#include "views/style/docked_panel_shape.h"

#include <QPolygon>

namespace DockedPanelShape {

QPainterPath path(const QRectF &rect, double radius)
{
    const double minX = rect.left();
    const double minY = rect.top();
    const double maxX = rect.right();
    const double maxY = rect.bottom();
    QPainterPath outline;
    outline.moveTo(maxX, minY);
    outline.lineTo(minX + radius, minY);
    outline.quadTo(QPointF(minX, minY), QPointF(minX, minY + radius));
    outline.lineTo(minX, maxY - radius);
    outline.quadTo(QPointF(minX, maxY), QPointF(minX + radius, maxY));
    outline.lineTo(maxX, maxY);
    outline.closeSubpath();
    return outline;
}

QRegion mask(const QSize &size, double radius)
{
    const QPainterPath outline = path(QRectF(QPointF(0, 0), QSizeF(size)), radius);
    return QRegion(outline.toFillPolygon().toPolygon());
}

} // namespace DockedPanelShape
