#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// Monochrome symbols of the look, named as the design names them ("doc.on.doc", "pin.fill"),
// drawn from bundled SVGs and tinted at paint time. ICONS.md lists the sources.
namespace Icons {

QStringList symbols();
// ":/quillo/icons/<file>.svg" for a known symbol, empty otherwise.
QString resourcePath(const QString &symbol);
// The symbol tinted `color`, `pixelSize` logical pixels square, rendered for `dpr`.
// Unknown symbols give a transparent pixmap. Results are cached.
QPixmap pixmap(const QString &symbol, int pixelSize, const QColor &color, qreal dpr = 1.0);
// Draws the symbol centred in `rect` at `pixelSize`, for the painter's device pixel ratio.
void paint(QPainter &painter, const QString &symbol, const QRectF &rect, int pixelSize, const QColor &color);
QIcon icon(const QString &symbol, int pixelSize, const QColor &color);

} // namespace Icons
