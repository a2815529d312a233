#include "views/hover/clipboard_hover_notifier.h"

#include <QCoreApplication>

ClipboardHoverNotifier &ClipboardHoverNotifier::instance()
{
    static ClipboardHoverNotifier notifier;
    return notifier;
}

void ClipboardHoverNotifier::postPointerMoved(std::optional<QUuid> itemID)
{
    QVariantMap userInfo;
    if (itemID)
        userInfo.insert(kItemIDKey, QVariant::fromValue(*itemID));
    emit pointerMoved(userInfo);
}

void ClipboardHoverNotifier::postClearClipboardHover()
{
    emit clearClipboardHover();
}

std::optional<QUuid> ClipboardHoverNotifier::itemID(const QVariantMap &userInfo)
{
    const auto it = userInfo.constFind(kItemIDKey);
    if (it == userInfo.constEnd() || it->metaType() != QMetaType::fromType<QUuid>())
        return std::nullopt;
    return it->value<QUuid>();
}
