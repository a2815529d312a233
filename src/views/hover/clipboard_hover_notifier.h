#pragma once

#include <QObject>
#include <QUuid>
#include <QVariantMap>
#include <optional>

// The two process-local hover notifications, "com.quillo.pointerMoved" and
// "com.quillo.clearClipboardHover", as signals of one process-wide object. Main thread only;
// delivery is synchronous.
class ClipboardHoverNotifier : public QObject
{
    Q_OBJECT
public:
    static inline const QString kItemIDKey = QStringLiteral("itemID");

    static ClipboardHoverNotifier &instance();

    // userInfo is {"itemID": QUuid} when a row is under the pointer, empty otherwise.
    void postPointerMoved(std::optional<QUuid> itemID);
    void postClearClipboardHover();

    // The hovered id a pointerMoved payload names: only a QUuid value under "itemID" counts;
    // anything else (no key, a string, another type) means no row.
    static std::optional<QUuid> itemID(const QVariantMap &userInfo);

signals:
    void pointerMoved(const QVariantMap &userInfo);
    void clearClipboardHover();

private:
    using QObject::QObject;
};
