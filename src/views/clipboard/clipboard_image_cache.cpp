#include "views/clipboard/clipboard_image_cache.h"

#include "store/stored_pictures.h"

#include <QImageReader>
#include <algorithm>

ClipboardImageCache &ClipboardImageCache::shared()
{
    static ClipboardImageCache cache;
    return cache;
}

ClipboardImageCache::ClipboardImageCache() = default;

QString ClipboardImageCache::key(const QString &path, const QSize &pixelSize)
{
    return path + QLatin1Char('@') + QString::number(pixelSize.width()) + QLatin1Char('x')
           + QString::number(pixelSize.height());
}

bool ClipboardImageCache::contains(const QString &path, const QSize &pixelSize) const
{
    const QString wanted = key(path, pixelSize);
    return std::any_of(m_entries.cbegin(), m_entries.cend(), [&](const Entry &entry) { return entry.key == wanted; });
}

void ClipboardImageCache::clear()
{
    m_entries.clear();
}

qint64 ClipboardImageCache::totalCost() const
{
    qint64 total = 0;
    for (const Entry &entry : m_entries)
        total += entry.cost;
    return total;
}

QImage ClipboardImageCache::decodeFilled(const QString &path, const QSize &pixelSize)
{
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize original = reader.size();
    if (!original.isValid() || original.isEmpty() || pixelSize.isEmpty())
        return {};
    const QSize scaled = original.scaled(pixelSize, Qt::KeepAspectRatioByExpanding).expandedTo(QSize(1, 1));
    reader.setScaledSize(scaled);
    reader.setScaledClipRect(
        QRect(QPoint((scaled.width() - pixelSize.width()) / 2, (scaled.height() - pixelSize.height()) / 2), pixelSize)
            .intersected(QRect(QPoint(0, 0), scaled)));
    QImage image = reader.read();
    if (image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage ClipboardImageCache::thumbnail(const QString &path, const QSize &pixelSize, const QString &imagesDirectory)
{
    const QString cacheKey = key(path, pixelSize);
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].key == cacheKey) {
            m_entries.move(i, 0);
            return m_entries.first().image;
        }
    }
    if (!StoredPictures::isStoredPicture(path, imagesDirectory))
        return {};
    ++m_decodes;
    const QImage image = decodeFilled(path, pixelSize);
    if (image.isNull())
        return {};
    const qint64 cost = std::max<qint64>(1, qint64(image.width()) * image.height() * 4);
    // A picture costlier than the whole budget is not cached, but the caller still gets it.
    if (cost > kCostLimit)
        return image;
    m_entries.prepend(Entry{cacheKey, image, cost});
    qint64 total = totalCost();
    while (m_entries.size() > kCountLimit || total > kCostLimit) {
        total -= m_entries.last().cost;
        m_entries.removeLast();
    }
    return image;
}
