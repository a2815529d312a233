#include "views/style/glass_painter.h"

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One running-sum box blur pass over an 8-bit alpha image, horizontally or vertically.
void boxBlurPass(QImage &image, int radius, bool horizontal)
{
    const int width = image.width();
    const int height = image.height();
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    std::vector<uchar> line(static_cast<size_t>(length));
    const int window = 2 * radius + 1;
    for (int l = 0; l < lines; ++l) {
        auto at = [&](int i) -> uchar & { return horizontal ? image.scanLine(l)[i] : image.scanLine(i)[l]; };
        for (int i = 0; i < length; ++i)
            line[size_t(i)] = at(i);
        int sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += (i >= 0 && i < length) ? line[size_t(i)] : 0;
        for (int i = 0; i < length; ++i) {
            at(i) = uchar(sum / window);
            const int out = i - radius;
            const int in = i + radius + 1;
            sum -= (out >= 0) ? line[size_t(out)] : 0;
            sum += (in < length) ? line[size_t(in)] : 0;
        }
    }
}

// Three box passes approximate a Gaussian of sigma ≈ radius / 2.
QImage blurredMask(const QSizeF &size, double cornerRadius, double blurRadius, qreal dpr)
{
    const double margin = std::ceil(blurRadius * 1.5) + 1;
    const QSize pixels((QSizeF(size.width() + 2 * margin, size.height() + 2 * margin) * dpr).toSize());
    QImage mask(pixels, QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(dpr, dpr);
        // An alpha-only image: any opaque colour is full coverage.
        p.fillPath(GlassPainter::roundedRect(QRectF(QPointF(margin, margin), size), cornerRadius), Qt::black);
    }
    const int box = std::max(1, int(std::lround(blurRadius * dpr / 2.0)));
    for (int pass = 0; pass < 3; ++pass) {
        boxBlurPass(mask, box, true);
        boxBlurPass(mask, box, false);
    }
    return mask;
}

QColor materialTint(int material, bool composited)
{
    const bool sidebar = material == 7;
    if (!composited)
        return sidebar ? Palette::kOpaqueBackdrop : Palette::kOpaquePopoverBackdrop;
    return sidebar ? Palette::kSidebarTint : Palette::kPopoverTint;
}

} // namespace

namespace GlassPainter {

QPainterPath roundedRect(const QRectF &rect, double radius)
{
    QPainterPath path;
    const double r = std::clamp(radius, 0.0, std::min(rect.width(), rect.height()) / 2);
    if (r <= 0)
        path.addRect(rect);
    else
        path.addRoundedRect(rect, r, r);
    return path;
}

QPainterPath capsule(const QRectF &rect)
{
    return roundedRect(rect, std::min(rect.width(), rect.height()) / 2);
}

void paintShadow(QPainter &painter, const QRectF &rect, double cornerRadius, const ShadowStyle &shadow)
{
    if (shadow.color.alpha() == 0 || rect.isEmpty())
        return;
    if (shadow.radius <= 0) {
        painter.fillPath(roundedRect(rect.translated(shadow.offset), cornerRadius), shadow.color);
        return;
    }
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double margin = std::ceil(shadow.radius * 1.5) + 1;
    const QString key = QStringLiteral("quillo-shadow:%1:%2:%3:%4:%5:%6")
                            .arg(rect.width())
                            .arg(rect.height())
                            .arg(cornerRadius)
                            .arg(shadow.radius)
                            .arg(shadow.color.rgba())
                            .arg(dpr);
    QPixmap pixmap;
    if (!QPixmapCache::find(key, &pixmap)) {
        QImage mask = blurredMask(rect.size(), cornerRadius, shadow.radius, dpr);
        QImage tinted(mask.size(), QImage::Format_ARGB32_Premultiplied);
        tinted.fill(Qt::transparent);
        {
            QPainter p(&tinted);
            p.fillRect(tinted.rect(), shadow.color);
            p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
            p.drawImage(0, 0, mask);
        }
        pixmap = QPixmap::fromImage(tinted);
        pixmap.setDevicePixelRatio(dpr);
        QPixmapCache::insert(key, pixmap);
    }
    painter.drawPixmap(rect.topLeft() + shadow.offset - QPointF(margin, margin), pixmap);
}

void paintBackdrop(QPainter &painter, const QPainterPath &path, int material, bool composited)
{
    painter.fillPath(path, materialTint(material, composited));
}

void paintFill(QPainter &painter, const QPainterPath &path, const QBrush &brush)
{
    painter.fillPath(path, brush);
}

void paintRim(QPainter &painter, const QPainterPath &path, const QBrush &brush, double width)
{
    if (width <= 0 || brush.style() == Qt::NoBrush)
        return;
    QPen pen(brush, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
    pen.setMiterLimit(10);
    painter.strokePath(path, pen);
}

void paintCard(QPainter &painter, const QRectF &rect, const GlassStyle &style, bool composited)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    paintShadow(painter, rect, style.radius, style.shadow);
    const QPainterPath path = roundedRect(rect, style.radius);
    if (style.backdrop)
        paintBackdrop(painter, path, style.material, composited);
    paintFill(painter, path, style.fill);
    if (style.rim.alpha() > 0)
        paintRim(painter, path, style.rim, style.rimWidth);
    painter.restore();
}

void paintCanvas(QPainter &painter, const QRectF &rect, const CanvasStyle &style, bool composited)
{
    // The canvas is the bottom layer of a translucent window: its backdrop replaces what the
    // window held rather than blending over it, so nothing painted before (another layout,
    // another size) can show through the glass.
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect, materialTint(style.material, composited));
    painter.restore();
    painter.fillRect(rect, style.wash);
    QLinearGradient gradient(rect.topLeft(), rect.bottomRight());
    gradient.setColorAt(0.0, style.gradientStart);
    gradient.setColorAt(0.5, style.gradientMiddle);
    gradient.setColorAt(1.0, style.gradientEnd);
    painter.fillRect(rect, gradient);
}

} // namespace GlassPainter
