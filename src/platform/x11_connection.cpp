#include "platform/x11_connection.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QHash>

#include <cstdlib>

namespace X11Connection {

xcb_connection_t *get()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(const char *name)
{
    static QHash<QByteArray, xcb_atom_t> cache;
    xcb_connection_t *connection = get();
    if (!connection)
        return XCB_ATOM_NONE;
    const QByteArray key(name);
    const auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(key.size()), key.constData()), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    if (result != XCB_ATOM_NONE)
        cache.insert(key, result);
    return result;
}

} // namespace X11Connection
