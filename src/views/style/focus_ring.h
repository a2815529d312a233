#pragma once

#include <QColor>
#include <QRectF>

class QPainter;
class QWidget;

// The ring that shows where the keyboard is: around the focused button, the row or card
// chosen with the arrow keys. Drawn in the desktop's accent colour, inside the given shape
// so that it is never clipped by the widget.
struct FocusRingStyle
{
    double width = 2;
    double opacity = 0.9;
    // Around buttons drawn without a tile of their own (a label, an icon with text).
    static constexpr double kPlainRadius = 6;

    static FocusRingStyle standard() { return {}; }
};

namespace FocusRing {

// A rounded rectangle ring whose outer edge is `rect`.
void paint(QPainter &painter, const QRectF &rect, double radius, const FocusRingStyle &style = {});
// For a button: the ring when `widget` has the keyboard focus, nothing otherwise.
void paintIfFocused(QPainter &painter, const QWidget &widget, const QRectF &rect, double radius,
                    const FocusRingStyle &style = {});

} // namespace FocusRing
