#pragma once

class QWindow;

// Keeps a shell window on every virtual desktop, out of the task bar and pager, and above
// other windows, and makes it a utility window (without the transient leader that Qt gives
// its Qt::Tool windows). Window managers read these hints differently: openbox honours the
// desktop number, xfwm4 only the STICKY state, and both drop the states (ABOVE included)
// when a window is unmapped and mapped again. So the hints are written as properties while
// the window is unmapped, and re-sent as EWMH client messages after every show.
// Both calls do nothing outside the xcb platform.
class X11WindowStates
{
public:
    // Writes _NET_WM_DESKTOP = all desktops, _NET_WM_STATE (STICKY, SKIP_TASKBAR,
    // SKIP_PAGER, ABOVE) and _NET_WM_WINDOW_TYPE (KDE's undecorated override, UTILITY) on
    // the window. Call while the window is not mapped; creates the
    // native window if needed.
    static void prepareBeforeMap(QWindow *window);
    // Asks the window manager, through the root window, to apply the same hints to the
    // mapped window.
    static void reassertAfterShow(QWindow *window);
};
