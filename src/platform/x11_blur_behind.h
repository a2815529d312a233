#pragma once

class QRegion;
class QWindow;

// Asks KDE's compositor (KWin, on X11 and for XWayland windows) to blur what lies behind a
// window inside a region, through the window property _KDE_NET_WM_BLUR_BEHIND_REGION: a
// list of rectangles (x, y, width, height) in the window's own pixels. Other compositors
// ignore it; picom blurs from its own configuration. Does nothing outside the xcb platform.
namespace X11BlurBehind {

// `region` is in the window's device-independent pixels. An empty region removes the
// property (an empty list would ask KWin to blur the whole window).
void setRegion(QWindow *window, const QRegion &region);

} // namespace X11BlurBehind
