#pragma once

#include <QPainterPath>
#include <QRectF>
#include <QRegion>
#include <QSize>

// The outline of the docked panel: the two left corners rounded, the right side straight so
// the panel sits flush against the screen edge. The corners are single quadratic curves whose
// control point is the sharp corner (their midpoints lie r/4 from it), not circular arcs.
namespace DockedPanelShape {

constexpr double kPanelRadius = 16;

QPainterPath path(const QRectF &rect, double radius = kPanelRadius);
// The same outline as a window mask, for windows that cannot be translucent.
QRegion mask(const QSize &size, double radius = kPanelRadius);

} // namespace DockedPanelShape
