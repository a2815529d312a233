#include "x11_window_activation.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstring>

namespace {

constexpr quint32 kSourcePager = 2;

struct ActivationAtoms
{
    xcb_atom_t activeWindow = XCB_ATOM_NONE;
    xcb_atom_t wmCheck = XCB_ATOM_NONE;
};

xcb_connection_t *activationConnection()
{
    const auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t activationAtom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return atom;
}

const ActivationAtoms &activationAtoms(xcb_connection_t *connection)
{
    static const ActivationAtoms cached{activationAtom(connection, "_NET_ACTIVE_WINDOW"),
                                        activationAtom(connection, "_NET_SUPPORTING_WM_CHECK")};
    return cached;
}

xcb_window_t defaultRoot(xcb_connection_t *connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

// The first 32-bit window value of a property of the root window, 0 if there is none.
quint32 rootWindowProperty(xcb_connection_t *connection, xcb_atom_t property)
{
    const xcb_get_property_cookie_t cookie =
        xcb_get_property(connection, 0, defaultRoot(connection), property, XCB_ATOM_WINDOW, 0, 1);
    xcb_get_property_reply_t *reply = xcb_get_property_reply(connection, cookie, nullptr);
    quint32 value = 0;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        std::memcpy(&value, xcb_get_property_value(reply), sizeof value);
    free(reply);
    return value;
}

} // namespace

quint32 X11WindowActivation::activeWindow()
{
    xcb_connection_t *connection = activationConnection();
    if (!connection)
        return 0;
    return rootWindowProperty(connection, activationAtoms(connection).activeWindow);
}

void X11WindowActivation::activate(quint32 window)
{
    xcb_connection_t *connection = activationConnection();
    if (!connection || window == 0)
        return;
    const ActivationAtoms &atoms = activationAtoms(connection);
    if (rootWindowProperty(connection, atoms.wmCheck) == 0) {
        xcb_set_input_focus(connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        xcb_flush(connection);
        return;
    }
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atoms.activeWindow;
    event.data.data32[0] = kSourcePager;
    event.data.data32[1] = XCB_CURRENT_TIME; // pagers pass none; the window manager takes its own
    xcb_send_event(connection, 0, defaultRoot(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
    xcb_flush(connection);
}
