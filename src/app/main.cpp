#include "app_delegate.h"
#include "command_line.h"
#include "platform/unix_signal_watcher.h"
#include "quillo_build_info.h"
#include "single_instance.h"
#include "store/app_store.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QIcon>
#include <QThread>

#include <cstdio>

namespace {

// Wayland sessions run Quillo through XWayland: placement, always-on-top and the clipboard
// of a background program only work there. A platform the user chose explicitly wins.
bool choosePlatform()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return true;
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        std::fputs("Quillo needs a desktop session (X11, or Wayland with XWayland): no DISPLAY is set.\n"
                   "To see it on a virtual screen, run `make demo`.\n",
                   stderr);
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

// Hands the command to the running Quillo. `lockHeld`: one is running, perhaps still
// starting, so its socket is waited for a moment.
int askRunningInstance(int argc, char **argv, const QString &socketPath, PanelCommand command, bool lockHeld)
{
    QCoreApplication app(argc, argv);
    QDeadlineTimer deadline(SingleInstance::kAnswerTimeoutMs);
    SingleInstance::Answer answer = SingleInstance::ask(socketPath, command);
    while (lockHeld && answer == SingleInstance::Answer::noneRunning && !deadline.hasExpired()) {
        QThread::msleep(100);
        answer = SingleInstance::ask(socketPath, command);
    }
    if (answer == SingleInstance::Answer::done)
        return 0;
    if (answer == SingleInstance::Answer::noneRunning && !lockHeld)
        return 0; // hide or quit with no Quillo running: nothing to do
    std::fputs("Quillo is already running but did not answer.\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // --version, --help and a wrong command line are answered first: no display needed, no file touched.
    const CommandLine commandLine = CommandLine::parse(CommandLine::argumentsOf(argc, argv));
    if (const std::optional<int> exitCode = commandLine.answerWithoutStarting())
        return *exitCode;
    const PanelCommand command = commandLine.command();
    const QString supportDirectory = SingleInstance::defaultSupportDirectory();
    const QString socketPath = SingleInstance::defaultSocketPath(supportDirectory);
    // hide and quit never start Quillo: they need neither a display nor the lock.
    if (!PanelCommands::startsQuillo(command))
        return askRunningInstance(argc, argv, socketPath, command, false);
    // Without a display nothing can run: say so before touching any file.
    if (!choosePlatform())
        return 1;
    SingleInstance instance(supportDirectory, socketPath);
    if (!instance.tryAcquire())
        return askRunningInstance(argc, argv, socketPath, command, true);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillo"));
    QApplication::setApplicationVersion(QLatin1String(BuildInfo::kVersion));
    // Lets docks and window managers match the panel to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QLatin1String(BuildInfo::kApplicationId));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/quillo/app/icon.svg")));
    // No main window: closing the folder dialog while the panel is hidden must not quit.
    QApplication::setQuitOnLastWindowClosed(false);

    AppDelegate delegate;
    QObject::connect(&instance, &SingleInstance::commandReceived, &delegate, &AppDelegate::run);
    instance.listen();

    UnixSignalWatcher signalWatcher;
    signalWatcher.watchTerminationSignals();
    QObject::connect(&signalWatcher, &UnixSignalWatcher::terminationRequested, &app, &QCoreApplication::quit);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate, [&delegate] { delegate.store().flush(); });

    delegate.applicationDidFinishLaunching();
    // The panel starts out; show and toggle also give it the keyboard.
    if (command == PanelCommand::show || command == PanelCommand::toggle)
        delegate.run(PanelCommand::show);
    return app.exec();
}
