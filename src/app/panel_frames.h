#pragma once

#include <QRect>
#include <optional>

// Where the shell's two windows go on one screen, in Qt's global coordinates (y down).
struct PanelFrames
{
    static constexpr int kPanelWidth = 440;
    static constexpr int kMaxPanelHeight = 760;
    static constexpr int kVerticalMargin = 36; // taken from a short visible height
    static constexpr int kTopGap = 22;
    static constexpr int kOffscreenOffset = 8;
    static constexpr int kTabWidth = 18;
    static constexpr int kTabHeight = 72;

    QRect expanded;  // the panel when shown, flush against the right edge
    QRect collapsed; // the panel when hidden, just beyond the right edge
    QRect tab;       // the tab window, centred vertically on the right edge

    // The frames for a screen whose available (visible) geometry is `visible`. The right
    // edge is x + width: QRect::right() is one pixel short of it.
    static PanelFrames forVisibleArea(const QRect &visible);

    friend bool operator==(const PanelFrames &, const PanelFrames &) = default;
};
