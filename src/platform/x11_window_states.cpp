#include "x11_window_states.h"

#include "platform/x11_connection.h"

#include <QWindow>

#include <xcb/xcb.h>

#include <array>
#include <cstring>

namespace {

constexpr quint32 kAllDesktops = 0xFFFFFFFF;
constexpr quint32 kStateAdd = 1;
constexpr quint32 kSourceApplication = 1;

struct Atoms
{
    xcb_atom_t desktop = XCB_ATOM_NONE;
    xcb_atom_t state = XCB_ATOM_NONE;
    std::array<xcb_atom_t, 4> states{}; // sticky, skip taskbar, skip pager, above
    xcb_atom_t type = XCB_ATOM_NONE;
    std::array<xcb_atom_t, 2> types{}; // KDE override (no decoration), utility
};

// The hints' atoms, gathered once.
const Atoms &atoms()
{
    static const Atoms cached = [] {
        using X11Connection::atom;
        Atoms a;
        a.desktop = atom("_NET_WM_DESKTOP");
        a.state = atom("_NET_WM_STATE");
        a.states = {atom("_NET_WM_STATE_STICKY"), atom("_NET_WM_STATE_SKIP_TASKBAR"), atom("_NET_WM_STATE_SKIP_PAGER"),
                    atom("_NET_WM_STATE_ABOVE")};
        a.type = atom("_NET_WM_WINDOW_TYPE");
        a.types = {atom("_KDE_NET_WM_WINDOW_TYPE_OVERRIDE"), atom("_NET_WM_WINDOW_TYPE_UTILITY")};
        return a;
    }();
    return cached;
}

xcb_window_t rootOf(xcb_connection_t *connection, xcb_window_t window)
{
    xcb_get_geometry_reply_t *reply = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    xcb_window_t root = reply ? reply->root : xcb_window_t(XCB_WINDOW_NONE);
    free(reply);
    if (root == XCB_WINDOW_NONE)
        root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    return root;
}

void sendToRoot(xcb_connection_t *connection, xcb_window_t root, xcb_window_t window, xcb_atom_t type,
                const std::array<quint32, 5> &data)
{
    xcb_client_message_event_t event;
    std::memset(&event, 0, sizeof event);
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = type;
    for (size_t i = 0; i < data.size(); ++i)
        event.data.data32[i] = data[i];
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&event));
}

} // namespace

void X11WindowStates::prepareBeforeMap(QWindow *window)
{
    xcb_connection_t *connection = X11Connection::get();
    if (!connection || !window)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const Atoms &a = atoms();
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, a.desktop, XCB_ATOM_CARDINAL, 32, 1, &kAllDesktops);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, a.state, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(a.states.size()), a.states.data());
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, id, a.type, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(a.types.size()), a.types.data());
    xcb_flush(connection);
}

void X11WindowStates::reassertAfterShow(QWindow *window)
{
    xcb_connection_t *connection = X11Connection::get();
    if (!connection || !window)
        return;
    const auto id = static_cast<xcb_window_t>(window->winId());
    const Atoms &a = atoms();
    const xcb_window_t root = rootOf(connection, id);
    sendToRoot(connection, root, id, a.desktop, {kAllDesktops, kSourceApplication, 0, 0, 0});
    // A _NET_WM_STATE message carries at most two states.
    sendToRoot(connection, root, id, a.state, {kStateAdd, a.states[0], a.states[1], kSourceApplication, 0});
    sendToRoot(connection, root, id, a.state, {kStateAdd, a.states[2], a.states[3], kSourceApplication, 0});
    xcb_flush(connection);
}
