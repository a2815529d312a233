#include "views/style/focus_ring.h"

#include "views/style/glass_painter.h"
#include "views/style/palette.h"

#include <QPainter>
#include <QWidget>

void FocusRing::paint(QPainter &painter, const QRectF &rect, double radius, const FocusRingStyle &style)
{
    const double inset = style.width / 2;
    const QRectF ring = rect.adjusted(inset, inset, -inset, -inset);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    GlassPainter::paintRim(painter, GlassPainter::roundedRect(ring, std::max(0.0, radius - inset)),
                           Palette::accent(style.opacity), style.width);
    painter.restore();
}

void FocusRing::paintIfFocused(QPainter &painter, const QWidget &widget, const QRectF &rect, double radius,
                               const FocusRingStyle &style)
{
    if (widget.hasFocus())
        paint(painter, rect, radius, style);
}
