#pragma once

#include "panel_command.h"

#include <QObject>
#include <memory>

class AppStore;
class AutostartEntry;
class CompositorStatus;
class PanelCommandHandler;
class Pasteboard;
class PointerMonitor;
class QtFolderChooser;
class QtShellFocus;
class QtShellScreens;
class QtTaskScheduler;
class RootView;
class ScreenChangeObserver;
class ShellStateMachine;
class ShellWindowHost;

// Owns the store, the two shell windows and the shell state for the whole run. The store
// is created with the delegate; the windows when launch completes.
class AppDelegate : public QObject
{
    Q_OBJECT
public:
    explicit AppDelegate(QObject *parent = nullptr);
    ~AppDelegate() override;

    // Builds the panel and the tab, installs the pointer monitor and the screen observer,
    // and shows the panel expanded on the screen under the pointer.
    void applicationDidFinishLaunching();
    // A panel command, from a later launch or from this one's command line.
    void run(PanelCommand command);

    AppStore &store() const { return *m_store; }
    ShellStateMachine *shell() const { return m_shell; }
    ShellWindowHost *windows() const { return m_windows.get(); }

private:
    void buildWindows();
    void adaptToSession();
    void connectKeyboard();

    std::unique_ptr<CompositorStatus> m_compositor;
    std::unique_ptr<Pasteboard> m_pasteboard;
    std::unique_ptr<QtFolderChooser> m_folderChooser;
    std::unique_ptr<AutostartEntry> m_autostart;
    std::unique_ptr<AppStore> m_store;
    std::unique_ptr<QtShellScreens> m_screens;
    QtTaskScheduler *m_scheduler = nullptr;
    std::unique_ptr<ShellWindowHost> m_windows;
    RootView *m_root = nullptr;
    std::unique_ptr<QtShellFocus> m_focus;
    ShellStateMachine *m_shell = nullptr;
    PanelCommandHandler *m_commands = nullptr;
    PointerMonitor *m_pointerMonitor = nullptr;
    ScreenChangeObserver *m_screenObserver = nullptr;
};
