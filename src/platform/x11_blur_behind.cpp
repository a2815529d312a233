#include "platform/x11_blur_behind.h"

#include "platform/x11_connection.h"

#include <QRegion>
#include <QTransform>
#include <QVector>
#include <QWindow>

namespace X11BlurBehind {

void setRegion(QWindow *window, const QRegion &region)
{
    xcb_connection_t *connection = X11Connection::get();
    const xcb_atom_t property = X11Connection::atom("_KDE_NET_WM_BLUR_BEHIND_REGION");
    if (!connection || !window || property == XCB_ATOM_NONE)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    if (region.isEmpty()) {
        xcb_delete_property(connection, id, property);
        xcb_flush(connection);
        return;
    }
    const qreal dpr = window->devicePixelRatio();
    const QRegion pixels = dpr == 1.0 ? region : QTransform::fromScale(dpr, dpr).map(region);
    QVector<quint32> values;
    values.reserve(pixels.rectCount() * 4);
    for (const QRect &rect : pixels) {
        values << quint32(rect.x()) << quint32(rect.y()) << quint32(rect.width()) << quint32(rect.height());
    }
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, property, XCB_ATOM_CARDINAL, 32, uint32_t(values.size()),
                        values.constData());
    xcb_flush(connection);
}

} // namespace X11BlurBehind
