#include "app_delegate.h"
#include "command_line.h"
#include "platform/qt_translations.h"
#include "platform/unix_signal_watcher.h"
#include "quillo_build_info.h"
#include "single_instance.h"
#include "store/app_store.h"

#include <QApplication>
#include <QCoreApplication>
#include <QIcon>

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

int askRunningInstance(int argc, char **argv, const QString &socketPath)
{
    QCoreApplication app(argc, argv);
    if (SingleInstance::askRunningToReveal(socketPath))
        return 0;
    std::fputs("Quillo is already running but did not answer.\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    // --version, --help and a wrong command line are answered first: no display needed, no file touched.
    if (const std::optional<int> exitCode =
            CommandLine::parse(CommandLine::argumentsOf(argc, argv)).answerWithoutStarting())
        return *exitCode;
    const QString supportDirectory = SingleInstance::defaultSupportDirectory();
    const QString socketPath = SingleInstance::defaultSocketPath(supportDirectory);
    // Without a display nothing can run: say so before touching any file.
    if (!choosePlatform())
        return 1;
    SingleInstance instance(supportDirectory, socketPath);
    if (!instance.tryAcquire())
        return askRunningInstance(argc, argv, socketPath);

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
    QObject::connect(&instance, &SingleInstance::revealRequested, &delegate, &AppDelegate::reveal);
    instance.listen();

    UnixSignalWatcher signalWatcher;
    signalWatcher.watchTerminationSignals();
    QObject::connect(&signalWatcher, &UnixSignalWatcher::terminationRequested, &app, &QCoreApplication::quit);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &delegate, [&delegate] { delegate.store().flush(); });

    delegate.applicationDidFinishLaunching();
    return app.exec();
}
