#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// Decoded thumbnails of stored pictures, shared by all rows: at most 24 images and 32 MiB
// of estimated cost (width × height × 4 of the decoded image). Pictures are decoded at the
// size they are shown, never at full size, and only files the store itself wrote are read.
// Main thread only.
class ClipboardImageCache
{
public:
    static constexpr int kCountLimit = 24;
    static constexpr qint64 kCostLimit = 33554432;

    static ClipboardImageCache &shared();

    // The picture at `path`, scaled to fill `pixelSize` (aspect kept, centred, overflow
    // cropped). A null image when the path is not a stored picture or cannot be decoded;
    // nothing is cached then, so a later call tries again.
    QImage thumbnail(const QString &path, const QSize &pixelSize, const QString &imagesDirectory);

    bool contains(const QString &path, const QSize &pixelSize) const;
    int count() const { return int(m_entries.size()); }
    qint64 totalCost() const;
    qint64 decodeCount() const { return m_decodes; } // for tests and benchmarks
    void clear();

    static QImage decodeFilled(const QString &path, const QSize &pixelSize);

private:
    ClipboardImageCache();
    static QString key(const QString &path, const QSize &pixelSize);

    struct Entry
    {
        QString key;
        QImage image;
        qint64 cost = 1;
    };
    // Most recently used first. With at most 24 entries a list is the simplest LRU that
    // keeps both limits; QCache has one limit and deletes what it cannot hold.
    QList<Entry> m_entries;
    qint64 m_decodes = 0;
};
