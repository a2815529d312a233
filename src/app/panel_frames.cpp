#include "panel_frames.h"

#include <QtMath>
#include <algorithm>

PanelFrames PanelFrames::forVisibleArea(const QRect &visible)
{
    const int edge = visible.x() + visible.width();
    // A visible area shorter than the margin cannot occur on a real screen; an empty panel
    // is still better than a negative height.
    const int height = std::max(0, std::min(visible.height() - kVerticalMargin, kMaxPanelHeight));
    const int top = visible.y() + kTopGap;
    // The tab's centre may fall on a half pixel (odd heights); it is always rounded half up,
    // so the same screen gives the same tab position wherever it sits in the desktop.
    const double tabTop = visible.y() + visible.height() / 2.0 - kTabHeight / 2.0;

    PanelFrames frames;
    frames.expanded = QRect(edge - kPanelWidth, top, kPanelWidth, height);
    frames.collapsed = QRect(edge + kOffscreenOffset, top, kPanelWidth, height);
    frames.tab = QRect(edge - kTabWidth, qFloor(tabTop + 0.5), kTabWidth, kTabHeight);
    return frames;
}
