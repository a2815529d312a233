#pragma once

#include "views/style/styles.h"

#include <QBrush>
#include <QPainterPath>
#include <QRectF>

class QPainter;

// The one place that draws glass: shadows, material backdrops, fills and rims. Every card,
// tile and button of the look goes through these, so the translucent look and the opaque
// fallback (no compositing manager) stay consistent.
namespace GlassPainter {

// Rounded rectangle with circular corners; the radius is clamped to half the short side.
QPainterPath roundedRect(const QRectF &rect, double radius);
QPainterPath capsule(const QRectF &rect);

// A soft shadow of a rounded rectangle (Gaussian-like blur of `shadow.radius`), drawn
// outside and under `rect`. Blurred masks are cached, so repeated paints cost one blit.
void paintShadow(QPainter &painter, const QRectF &rect, double cornerRadius, const ShadowStyle &shadow);

// The stand-in for a blur material inside `path`: a light translucent tint when the desktop
// composites windows, an opaque light surface when it does not.
void paintBackdrop(QPainter &painter, const QPainterPath &path, int material, bool composited);

void paintFill(QPainter &painter, const QPainterPath &path, const QBrush &brush);
// Stroked centred on the outline, as an overlay of the same shape.
void paintRim(QPainter &painter, const QPainterPath &path, const QBrush &brush, double width);

// Shadow, optional backdrop, fill and rim of a rounded card.
void paintCard(QPainter &painter, const QRectF &rect, const GlassStyle &style, bool composited);

// The panel background: material, white wash, diagonal gradient over the whole rect.
void paintCanvas(QPainter &painter, const QRectF &rect, const CanvasStyle &style, bool composited);

} // namespace GlassPainter
