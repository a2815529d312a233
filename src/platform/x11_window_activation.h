#pragma once

#include <QtGlobal>

// Moves keyboard focus between X windows through the window manager, as pagers and task
// bars do: a _NET_ACTIVE_WINDOW request with source indication 2. Window managers apply
// focus-stealing prevention to requests that applications make for themselves (source 1,
// what QWindow::requestActivate sends), not to these, so a panel shown from a keyboard
// shortcut really gets the keyboard. Without a window manager the input focus is set
// directly. All calls do nothing outside the xcb platform.
class X11WindowActivation
{
public:
    // The window the window manager says is active (_NET_ACTIVE_WINDOW on the root); 0 when
    // none or unknown.
    static quint32 activeWindow();
    // Asks for `window` to become the active window. A window that is gone is ignored.
    static void activate(quint32 window);
};
