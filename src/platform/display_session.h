#pragma once

#include <QString>

// What kind of desktop the X connection belongs to. Quillo is an X11 program; in a Wayland
// session it runs through XWayland, where some X11 facts no longer hold.
namespace DisplaySession {

// The X server is XWayland: WAYLAND_DISPLAY is set, or the server offers the XWAYLAND
// extension. False outside the xcb platform.
bool isXWayland();

// sway's IPC socket ($SWAYSOCK) under XWayland; empty elsewhere.
QString swaySocket();

// The Wayland compositor lets a background program follow and set the clipboard (wlroots'
// data-control protocol, offered by KWin and wlroots compositors such as sway, not by
// Mutter). Asks the compositor once, synchronously: call at start-up only.
bool hasWaylandDataControl();

} // namespace DisplaySession
