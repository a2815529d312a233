#pragma once

#include "panel_frames.h"
#include "screen_anchor.h"
#include "shell_seams.h"

#include <QObject>
#include <memory>
#include <optional>

class AppStore;

// Moves the shell between expanded (the panel against the right edge, the tab hidden) and
// collapsed (the panel slid off the edge and hidden, the tab showing). Plain logic over the
// seams: the windows, the screens and pointer, and a scheduler for the two delays.
//
// Invariants: the collapse check is pending only while expanded; the delayed order-out
// hides the panel only if the shell is still collapsed when it runs.
class ShellStateMachine : public QObject
{
    Q_OBJECT
public:
    static constexpr int kCollapseCheckDelayMs = 320;
    static constexpr int kOrderOutDelayMs = 200;
    static constexpr int kHysteresis = 3; // the panel is grown by this on every side for the check

    ShellStateMachine(AppStore &store, ShellScreens &screens, ShellWindows &windows, TaskScheduler &scheduler,
                      QObject *parent = nullptr);

    // Anchors to the screen under the pointer and shows the panel expanded without
    // animation; the tab stays hidden.
    void launch();
    // Reveals a collapsed panel (animated except at launch). While already expanded an
    // animated call only cancels a pending collapse check.
    void showExpanded(bool animated);
    // The pointer left the panel: check again in 0.32 s whether it is still outside; while it
    // stays in the 3-pixel margin around the panel, every 0.32 s.
    void scheduleCollapse();
    // Under XWayland the X pointer stops at its last place in the panel once the real
    // pointer is over a Wayland surface, so there a leave itself says "outside": set true,
    // pointerLeft() makes the check ignore the pointer's position until the pointer is seen
    // inside again (an enter, which reveals, or pointerMovedInside()). Off by default.
    void setLeaveMeansOutside(bool on) { m_leaveMeansOutside = on; }
    void pointerLeft();
    void pointerMovedInside() { m_pointerLeft = false; }
    void collapse();
    // Applies the current state's frames again, without animation or ordering changes.
    void screenParametersChanged();

    std::optional<PanelFrames> targetFrames();

    bool isCollapsed() const { return m_isCollapsed; }
    // The pointer is over the expanded panel, as far as the X server still knows where it is.
    bool isPointerOverPanel() const;
    bool hasPendingCheck() const { return m_checkPending; }
    std::optional<QString> anchorScreenName() const { return m_anchor.anchorName(); }

signals:
    // A collapse began; no history row may stay highlighted.
    void collapseStarted();

private:
    bool collapseForbidden() const;
    void cancelPendingCheck();
    void runCollapseCheck();
    void orderOutIfStillCollapsed();

    AppStore &m_store;
    ShellScreens &m_screens;
    ShellWindows &m_windows;
    TaskScheduler &m_scheduler;
    ScreenAnchor m_anchor;
    std::shared_ptr<DelayedTask> m_collapseTask;
    bool m_checkPending = false;
    bool m_isCollapsed = false;
    bool m_leaveMeansOutside = false;
    bool m_pointerLeft = false; // left, and not seen inside since (with m_leaveMeansOutside only)
};
