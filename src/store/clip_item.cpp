#include "clip_item.h"

#include "reference_time.h"

ClipItem ClipItem::make(ClipKind kind, const QString &title, const QString &content, const QString &source,
                        std::optional<QString> imagePath)
{
    ClipItem item;
    item.id = QUuid::createUuid();
    item.kind = kind;
    item.title = title;
    item.content = content;
    item.source = source;
    item.createdAt = ReferenceTime::now();
    item.isPinned = false;
    item.imagePath = std::move(imagePath);
    return item;
}
