#include "platform/display_session.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <wayland-client.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

xcb_connection_t *xConnection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

bool hasXWaylandExtension(xcb_connection_t *connection)
{
    static const char kName[] = "XWAYLAND";
    xcb_query_extension_reply_t *reply =
        xcb_query_extension_reply(connection, xcb_query_extension(connection, sizeof kName - 1, kName), nullptr);
    const bool present = reply && reply->present;
    free(reply);
    return present;
}

} // namespace

bool DisplaySession::isXWayland()
{
    xcb_connection_t *connection = xConnection();
    if (!connection)
        return false;
    return !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") || hasXWaylandExtension(connection);
}

QString DisplaySession::swaySocket()
{
    return isXWayland() ? qEnvironmentVariable("SWAYSOCK") : QString();
}

bool DisplaySession::hasWaylandDataControl()
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return false;
    wl_display *display = wl_display_connect(nullptr);
    if (!display)
        return false;
    bool found = false;
    static const wl_registry_listener listener = {
        [](void *data, wl_registry *, uint32_t, const char *interface, uint32_t) {
            if (std::strcmp(interface, "zwlr_data_control_manager_v1") == 0
                || std::strcmp(interface, "ext_data_control_manager_v1") == 0)
                *static_cast<bool *>(data) = true;
        },
        [](void *, wl_registry *, uint32_t) {}};
    wl_registry *registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &found);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return found;
}
