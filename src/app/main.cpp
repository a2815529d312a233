#include "app_delegate.h"
#include "command_line.h"
#include "platform/journal_log.h"
#include "platform/qt_translations.h"
#include "platform/unix_signal_watcher.h"
#include "quillo_build_info.h"
#include "single_instance.h"
#include "store/app_store.h"
#include "store/log_categories.h"

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
        std::fputs("Quillo 需要桌面会话（X11，或带 XWayland 的 Wayland）：没有设置 DISPLAY。\n"
                   "要在虚拟屏幕上查看，请运行 `make demo`。\n",
                   stderr);
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

// Hands the command to the running Quillo. `lockHeld`: one is running, perhaps still
// starting, so its socket is waited for a moment.
SingleInstance::Answer handToRunningInstance(int argc, char **argv, const QString &socketPath, PanelCommand command,
                                             bool lockHeld)
{
    QCoreApplication app(argc, argv);
    QDeadlineTimer deadline(SingleInstance::kAnswerTimeoutMs);
    SingleInstance::Answer answer = SingleInstance::ask(socketPath, command);
    while (lockHeld && answer == SingleInstance::Answer::noneRunning && !deadline.hasExpired()) {
        QThread::msleep(100);
        answer = SingleInstance::ask(socketPath, command);
    }
    return answer;
}

int askRunningInstance(int argc, char **argv, const QString &socketPath, PanelCommand command, bool lockHeld)
{
    const SingleInstance::Answer answer = handToRunningInstance(argc, argv, socketPath, command, lockHeld);
    if (answer == SingleInstance::Answer::done)
        return 0;
    if (answer == SingleInstance::Answer::noneRunning && !lockHeld)
        return 0; // hide or quit with no Quillo running: nothing to do
    std::fputs("Quillo 已在运行，但没有应答。\n", stderr);
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
    // Warnings go to the systemd journal where there is one.
    JournalLog::install();
    const QString supportDirectory = SingleInstance::defaultSupportDirectory();
    const QString socketPath = SingleInstance::defaultSocketPath(supportDirectory);
    // hide and quit never start Quillo: they need neither a display nor the lock.
    if (!PanelCommands::startsQuillo(command))
        return askRunningInstance(argc, argv, socketPath, command, false);
    // Without a display nothing can run: say so before touching any file.
    if (!choosePlatform())
        return 1;
    SingleInstance instance(supportDirectory, socketPath);
    QString lockProblem;
    switch (instance.tryAcquire(&lockProblem)) {
    case SingleInstance::Lock::acquired: break;
    case SingleInstance::Lock::heldByAnother: return askRunningInstance(argc, argv, socketPath, command, true);
    case SingleInstance::Lock::unavailable:
        // A read-only or full support folder: Quillo runs without saving (the panel says so),
        // unless one already runs and takes the command.
        if (handToRunningInstance(argc, argv, socketPath, command, false) == SingleInstance::Answer::done)
            return 0;
        qCWarning(lcStore).noquote() << "cannot make the lock file" << lockProblem
                                     << "- running without saving, and without the single-instance lock";
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillo"));
    QtTranslations::installChinese(app);
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
