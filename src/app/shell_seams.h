#pragma once

#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

// The window-system services the shell's state machine uses, as small interfaces so that
// tests can drive every transition with fake screens, a fake pointer and a fake clock.

// One screen as the shell needs it. `name` (QScreen::name()) identifies the display; an
// empty name cannot serve as an anchor.
struct ScreenInfo
{
    QString name;
    QRect geometry;          // the full screen
    QRect availableGeometry; // less panels and docks

    friend bool operator==(const ScreenInfo &, const ScreenInfo &) = default;
};

class ShellScreens
{
public:
    virtual ~ShellScreens() = default;
    virtual QList<ScreenInfo> screens() const = 0; // in the window system's order
    virtual std::optional<ScreenInfo> primaryScreen() const = 0;
    virtual QPoint pointerPosition() const = 0; // global
};

// A pending delayed task. Dropping the handle does not cancel the task.
class DelayedTask
{
public:
    virtual ~DelayedTask() = default;
    virtual void cancel() = 0;
};

class TaskScheduler
{
public:
    virtual ~TaskScheduler() = default;
    // Runs `work` once on the main thread after `delayMs`, unless cancelled first.
    virtual std::shared_ptr<DelayedTask> schedule(int delayMs, std::function<void()> work) = 0;
};

// The panel and tab windows. "Order front/out" shows/hides a window; geometry calls keep
// the window's visibility as it is.
class ShellWindows
{
public:
    virtual ~ShellWindows() = default;
    virtual QRect panelGeometry() const = 0;
    virtual void movePanel(const QRect &target, bool animated) = 0;
    virtual void orderPanelFront() = 0;
    virtual void orderPanelOut() = 0;
    virtual void setTabGeometry(const QRect &frame) = 0;
    virtual void orderTabFront() = 0;
    virtual void orderTabOut() = 0;
    // A context menu, the folder dialog or another popup or modal window of ours is open:
    // it grabs the pointer, so the panel sees a leave that is not the user leaving.
    virtual bool isPopupOpen() const = 0;
};

// Keyboard focus between the panel and the window the user works in, through the window
// manager. Windows are X window ids; 0 is none.
class ShellFocus
{
public:
    virtual ~ShellFocus() = default;
    // The active window, unless it is one of ours.
    virtual quint32 activeForeignWindow() const = 0;
    // A window of ours has the keyboard.
    virtual bool applicationHasKeyboard() const = 0;
    // Makes the panel the active window, with the keyboard in the current page's search field.
    virtual void activatePanel() = 0;
    virtual void activateWindow(quint32 window) = 0;
};
