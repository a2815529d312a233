#pragma once

#include "clip_kind.h"

#include <QString>
#include <QUuid>
#include <optional>

// One entry of the clipboard history. A value: views and operations work on copies and
// identify entries by `id`.
struct ClipItem
{
    QUuid id;
    ClipKind kind = ClipKind::text;
    QString title;
    QString content;
    QString source;
    double createdAt = 0; // seconds since 2001-01-01 UTC (ReferenceTime)
    bool isPinned = false;
    std::optional<QString> imagePath;

    // A fresh entry: random version-4 id, createdAt now, unpinned.
    static ClipItem make(ClipKind kind, const QString &title, const QString &content,
                         const QString &source = sourceClipboard(), std::optional<QString> imagePath = std::nullopt);

    static QString sourceClipboard() { return QStringLiteral("剪贴板"); }
    static QString sourceBrowser() { return QStringLiteral("浏览器"); }
    static QString sourceFinder() { return QStringLiteral("Finder"); }

    bool operator==(const ClipItem &other) const = default;
};
