#include "views/style/icons.h"

#include <QHash>
#include <QPaintDevice>
#include <QPainter>
#include <QSvgRenderer>

namespace {

struct Entry
{
    const char *symbol;
    const char *file;
};

// Design symbol → bootstrap-icons file (without ".svg").
constexpr Entry kEntries[] = {
    {"doc.text", "file-earmark-text"},
    {"link", "link-45deg"},
    {"chevron.left.forwardslash.chevron.right", "code-slash"},
    {"photo", "image"},
    {"doc", "file-earmark"},
    {"note.text", "journal-text"},
    {"note.text.badge.plus", "journal-plus"},
    {"pin", "pin-angle"},
    {"pin.fill", "pin-angle-fill"},
    {"doc.on.doc", "files"},
    {"checkmark", "check-lg"},
    {"magnifyingglass", "search"},
    {"xmark.circle.fill", "x-circle-fill"},
    {"checkmark.shield", "shield-check"},
    {"lock.open", "unlock"},
    {"trash", "trash3"},
    {"clipboard", "clipboard"},
    {"plus", "plus-lg"},
    {"folder", "folder"},
    {"cup.and.saucer", "cup-hot"},
    {"chevron.left", "chevron-left"},
    {"chevron.right", "chevron-right"},
    {"pencil", "pencil"},
    {"gearshape", "gear"},
    {"power", "power"},
    {"xmark", "x-lg"},
    {"envelope", "envelope"},
    {"safari", "compass"},
    {"arrow.right.square", "box-arrow-in-right"},
};

QPixmap render(const QString &path, int pixelSize, const QColor &color, qreal dpr)
{
    const int side = qMax(1, qRound(pixelSize * dpr));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(path);
    if (renderer.isValid()) {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        renderer.render(&p, QRectF(0, 0, side, side));
        p.setCompositionMode(QPainter::CompositionMode_SourceIn);
        p.fillRect(image.rect(), color);
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(dpr);
    return pixmap;
}

} // namespace

namespace Icons {

QStringList symbols()
{
    QStringList list;
    for (const Entry &entry : kEntries)
        list << QString::fromLatin1(entry.symbol);
    return list;
}

QString resourcePath(const QString &symbol)
{
    for (const Entry &entry : kEntries)
        if (symbol == QLatin1String(entry.symbol))
            return QStringLiteral(":/quillo/icons/%1.svg").arg(QLatin1String(entry.file));
    return {};
}

QPixmap pixmap(const QString &symbol, int pixelSize, const QColor &color, qreal dpr)
{
    // Painting runs on the main thread only, so a plain static cache is enough.
    static QHash<QString, QPixmap> cache;
    const QString key = QStringLiteral("%1|%2|%3|%4").arg(symbol).arg(pixelSize).arg(color.rgba()).arg(dpr);
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QPixmap result = render(resourcePath(symbol), pixelSize, color, dpr);
    cache.insert(key, result);
    return result;
}

void paint(QPainter &painter, const QString &symbol, const QRectF &rect, int pixelSize, const QColor &color)
{
    const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap pm = pixmap(symbol, pixelSize, color, dpr);
    const QPointF topLeft(rect.center().x() - pixelSize / 2.0, rect.center().y() - pixelSize / 2.0);
    painter.drawPixmap(QRectF(topLeft, QSizeF(pixelSize, pixelSize)), pm, QRectF(pm.rect()));
}

QIcon icon(const QString &symbol, int pixelSize, const QColor &color)
{
    QIcon result;
    result.addPixmap(pixmap(symbol, pixelSize, color, 1.0));
    result.addPixmap(pixmap(symbol, pixelSize, color, 2.0));
    return result;
}

} // namespace Icons
