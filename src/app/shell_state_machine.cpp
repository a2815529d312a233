#include "shell_state_machine.h"

#include "store/app_store.h"

#include <QPointer>

ShellStateMachine::ShellStateMachine(AppStore &store, ShellScreens &screens, ShellWindows &windows,
                                     TaskScheduler &scheduler, QObject *parent)
    : QObject(parent)
    , m_store(store)
    , m_screens(screens)
    , m_windows(windows)
    , m_scheduler(scheduler)
{
}

std::optional<PanelFrames> ShellStateMachine::targetFrames()
{
    const std::optional<ScreenInfo> screen =
        m_anchor.choose(m_screens.screens(), m_screens.primaryScreen(), m_screens.pointerPosition());
    if (!screen)
        return std::nullopt;
    return PanelFrames::forVisibleArea(screen->availableGeometry);
}

bool ShellStateMachine::collapseForbidden() const
{
    return m_store.isPinned() || m_store.isEditingNote() || m_store.isNoteDetailOpen();
}

void ShellStateMachine::cancelPendingCheck()
{
    if (m_collapseTask)
        m_collapseTask->cancel();
    m_checkPending = false;
}

void ShellStateMachine::launch()
{
    m_anchor.reset();
    showExpanded(false);
}

void ShellStateMachine::showExpanded(bool animated)
{
    cancelPendingCheck();
    m_pointerLeft = false;
    if (m_isCollapsed)
        m_store.setPanelVisible(true);
    else if (animated)
        return;

    // Without any screen there is nowhere to put the panel: frames and state stay as they are.
    const std::optional<PanelFrames> frames = targetFrames();
    if (!frames)
        return;
    m_windows.setTabGeometry(frames->tab);
    m_windows.orderTabOut();
    if (animated) {
        m_windows.orderPanelFront();
        m_windows.movePanel(frames->expanded, true);
    } else {
        // Placed before it is shown: a window first mapped at a provisional size and then
        // resized leaves the compositor a frame of the old layout to show in between.
        m_windows.movePanel(frames->expanded, false);
        m_windows.orderPanelFront();
    }
    m_isCollapsed = false;
}

void ShellStateMachine::scheduleCollapse()
{
    if (collapseForbidden())
        return;
    cancelPendingCheck();
    QPointer<ShellStateMachine> self(this);
    m_collapseTask = m_scheduler.schedule(kCollapseCheckDelayMs, [self] {
        if (self)
            self->runCollapseCheck();
    });
    m_checkPending = true;
}

void ShellStateMachine::pointerLeft()
{
    m_pointerLeft = m_leaveMeansOutside;
    scheduleCollapse();
}

void ShellStateMachine::runCollapseCheck()
{
    m_checkPending = false;
    const QRect panel = m_windows.panelGeometry();
    const QPoint pointer = m_screens.pointerPosition();
    const QRect grown = panel.adjusted(-kHysteresis, -kHysteresis, kHysteresis, kHysteresis);
    if (!m_pointerLeft && grown.contains(pointer)) {
        // In the margin but not on the panel, the pointer can go on without crossing the
        // panel again, so no new leave would come: look again until it is on the panel or gone.
        if (!panel.contains(pointer))
            scheduleCollapse();
        return;
    }
    // A popup of ours grabs the pointer and so looks like leaving; decide once it is closed.
    if (m_windows.isPopupOpen()) {
        scheduleCollapse();
        return;
    }
    collapse();
}

bool ShellStateMachine::isPointerOverPanel() const
{
    return !m_pointerLeft && m_windows.panelGeometry().contains(m_screens.pointerPosition());
}

void ShellStateMachine::collapse()
{
    if (m_isCollapsed || collapseForbidden())
        return;
    const std::optional<PanelFrames> frames = targetFrames();
    if (!frames)
        return;
    emit collapseStarted();
    m_windows.movePanel(frames->collapsed, true);
    m_windows.setTabGeometry(frames->tab);
    m_windows.orderTabFront();
    m_isCollapsed = true;
    m_store.setPanelVisible(false);

    QPointer<ShellStateMachine> self(this);
    m_scheduler.schedule(kOrderOutDelayMs, [self] {
        if (self)
            self->orderOutIfStillCollapsed();
    });
}

void ShellStateMachine::orderOutIfStillCollapsed()
{
    if (m_isCollapsed)
        m_windows.orderPanelOut();
}

void ShellStateMachine::screenParametersChanged()
{
    const std::optional<PanelFrames> frames = targetFrames();
    if (!frames)
        return;
    if (m_isCollapsed) {
        m_windows.movePanel(frames->collapsed, false);
        m_windows.setTabGeometry(frames->tab);
    } else {
        m_windows.movePanel(frames->expanded, false);
    }
}
