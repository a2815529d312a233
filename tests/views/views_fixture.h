#pragma once

#include "fake_pasteboard.h"
#include "store/app_store.h"
#include "store/reference_time.h"

#include <QDir>
#include <QImage>
#include <memory>

// A store on an in-memory clipboard, without the polling timer, for widget tests.
struct ViewsFixture
{
    FakePasteboard pasteboard;
    std::unique_ptr<AppStore> store;

    ViewsFixture()
    {
        AppStore::Options options;
        options.pasteboard = &pasteboard;
        options.startMonitoring = false;
        store = std::make_unique<AppStore>(options);
    }

    static ClipItem clip(ClipKind kind, const QString &content, double ageSeconds = 120, bool pinned = false)
    {
        ClipItem item = ClipItem::make(kind, content.left(64), content);
        item.createdAt = ReferenceTime::now() - ageSeconds;
        item.isPinned = pinned;
        return item;
    }

    // A PNG written into the store's own pictures folder, as the store writes them.
    QString storedPicture(const QString &name, const QSize &size = QSize(400, 300), QColor color = Qt::red) const
    {
        QDir().mkpath(store->imagesDirectory());
        QImage image(size, QImage::Format_ARGB32);
        image.fill(color);
        const QString path = store->imagesDirectory() + QLatin1Char('/') + name + QStringLiteral(".png");
        image.save(path, "PNG");
        return path;
    }
};
