#include "app_delegate.h"

#include "panel_command_handler.h"
#include "panel_content.h"
#include "panel_window.h"
#include "platform/autostart_entry.h"
#include "platform/display_session.h"
#include "platform/qt_clipboard_pasteboard.h"
#include "platform/qt_folder_chooser.h"
#include "platform/sway_window_placer.h"
#include "platform/wl_clipboard_pasteboard.h"
#include "platform/x11_compositor_status.h"
#include "pointer_monitor.h"
#include "qt_shell_focus.h"
#include "qt_shell_screens.h"
#include "qt_task_scheduler.h"
#include "screen_change_observer.h"
#include "shell_state_machine.h"
#include "shell_window_host.h"
#include "store/app_store.h"
#include "tab_window.h"
#include "views/hover/clipboard_hover_notifier.h"
#include "views/hover/clipboard_hover_registry.h"
#include "views/root/root_view.h"

#include <QGuiApplication>
#include <QPointer>
#include <QStandardPaths>

namespace {

// Where the compositor lets a background program follow the Wayland clipboard, Quillo
// follows it there and only there: XWayland's copy of it on X is partial, and watching
// both would record every copy twice. X programs' copies reach the Wayland clipboard too.
std::unique_ptr<Pasteboard> makePasteboard()
{
    if (DisplaySession::isXWayland() && !QStandardPaths::findExecutable(QStringLiteral("wl-paste")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("wl-copy")).isEmpty()
        && DisplaySession::hasWaylandDataControl())
        return std::make_unique<WlClipboardPasteboard>();
    return std::make_unique<QtClipboardPasteboard>();
}

} // namespace

AppDelegate::AppDelegate(QObject *parent)
    : QObject(parent)
    , m_compositor(std::make_unique<X11CompositorStatus>())
    , m_pasteboard(makePasteboard())
    , m_folderChooser(std::make_unique<QtFolderChooser>())
    , m_autostart(std::make_unique<AutostartEntry>())
{
    // Before any widget: they follow the status installed when they are made.
    CompositorStatus::install(m_compositor.get());
    AppStore::Options options;
    options.pasteboard = m_pasteboard.get();
    options.folderChooser = m_folderChooser.get();
    m_store = std::make_unique<AppStore>(options);
}

AppDelegate::~AppDelegate()
{
    // The windows hold widgets that read the store: they go first.
    delete m_pointerMonitor;
    delete m_commands;
    delete m_shell;
    m_windows.reset();
    CompositorStatus::install(nullptr);
}

void AppDelegate::applicationDidFinishLaunching()
{
    buildWindows();
    m_screens = std::make_unique<QtShellScreens>();
    m_scheduler = new QtTaskScheduler(this);
    m_shell = new ShellStateMachine(*m_store, *m_screens, *m_windows, *m_scheduler);
    m_focus = std::make_unique<QtShellFocus>(*m_windows, *m_root);
    m_commands = new PanelCommandHandler(*m_shell, *m_focus);
    adaptToSession();
    connectKeyboard();

    QPointer<AppDelegate> self(this);
    connect(m_windows->panel(), &PanelWindow::pointerEntered, this, [self] {
        if (self)
            self->m_shell->showExpanded(true);
    });
    connect(m_windows->panel(), &PanelWindow::pointerLeft, this, [self] {
        if (self)
            self->m_shell->pointerLeft();
    });
    connect(m_windows->tab(), &TabWindow::pointerEntered, this, [self] {
        if (self)
            self->m_shell->showExpanded(true);
    });
    connect(m_shell, &ShellStateMachine::collapseStarted, this,
            [] { ClipboardHoverNotifier::instance().postClearClipboardHover(); });

    PanelWindow *panel = m_windows->panel();
    m_pointerMonitor = new PointerMonitor(panel);
    connect(m_pointerMonitor, &PointerMonitor::pointerMoved, this, [self, panel](const QPoint &global) {
        if (self)
            self->m_shell->pointerMovedInside();
        ClipboardHoverNotifier::instance().postPointerMoved(ClipboardHoverRegistry::shared().item(global, panel));
    });

    m_screenObserver = new ScreenChangeObserver(this);
    connect(m_screenObserver, &ScreenChangeObserver::screensChanged, m_shell,
            &ShellStateMachine::screenParametersChanged);

    m_shell->launch();
}

// XWayland freezes the X pointer inside the panel once the pointer is over a Wayland
// window, so there leaving is what counts; sway places floating X windows itself.
void AppDelegate::adaptToSession()
{
    m_shell->setLeaveMeansOutside(DisplaySession::isXWayland());
    const QString swaySocket = DisplaySession::swaySocket();
    if (swaySocket.isEmpty())
        return;
    auto *placer = new SwayWindowPlacer(swaySocket, this);
    m_focus->setExtraActivation([placer](quint32 window) { placer->focus(window); });
    m_windows->setPlacement([placer](QWidget *window, const QRect &frame) {
        placer->place(static_cast<quint32>(window->winId()), frame.topLeft());
    });
}

void AppDelegate::buildWindows()
{
    QPointer<AppDelegate> self(this);
    QWidget *tabContent = PanelContent::createTabContent([self] {
        if (self && self->m_shell)
            self->m_shell->showExpanded(true);
    });
    m_root = PanelContent::createPanelContent(*m_store, m_autostart.get());
    m_windows = std::make_unique<ShellWindowHost>(m_root, tabContent);
    m_folderChooser->setParentWindow(m_windows->panel());
}

void AppDelegate::run(PanelCommand command)
{
    if (m_commands)
        m_commands->run(command);
}

// Escape and Enter on the panel, and the keyboard going to another application, end a
// reveal from the keyboard; quit ends the process through the event loop, so that pending
// history is written first.
void AppDelegate::connectKeyboard()
{
    connect(m_root, &RootView::dismissRequested, m_commands, &PanelCommandHandler::dismiss);
    connect(m_root, &RootView::entryCopied, m_commands, &PanelCommandHandler::entryCopied);
    connect(qApp, &QGuiApplication::applicationStateChanged, m_commands, [this](Qt::ApplicationState state) {
        if (state == Qt::ApplicationActive)
            m_commands->focusEnteredApplication();
        else
            m_commands->focusLeftApplication();
    });
    connect(m_commands, &PanelCommandHandler::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}
