#pragma once

#include "x_window_state.h"

#include <QProcess>
#include <QStringList>
#include <QTest>

// The desktop as end-to-end tests see it from outside: other programs run to completion,
// Quillo's windows found by name and size, the pointer moved with xdotool.
namespace XDesktop {

// Deadlines for what the tests poll for. Generous: a sanitizer build on a loaded machine is
// slow, and each poll runs a few programs; a passing poll returns at once.
constexpr int kWaitMs = 20000;

// Runs `program` to completion; its standard output. `exitCode` gets -1 for a crash or timeout.
inline QString run(const QString &program, const QStringList &arguments, int *exitCode = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kWaitMs))
        process.kill();
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// What a look at the windows prints. xdotool and xwininfo end with an X error now and then
// when some window goes away while they look; such a look is taken again.
inline QString look(const QString &program, const QStringList &arguments)
{
    int exitCode = -1;
    for (int attempt = 0; attempt < 5; ++attempt) {
        const QString output = run(program, arguments, &exitCode);
        if (exitCode == 0)
            return output;
    }
    return {};
}

// Qt appends the application name to window titles and keeps a hidden leader window of the
// same name, so the shell's windows are told apart by their width.
inline QString quilloWindow(int width)
{
    const QStringList ids =
        look(QStringLiteral("xdotool"), {"search", "--name", "Quillo"}).split('\n', Qt::SkipEmptyParts);
    for (const QString &id : ids) {
        if (look(QStringLiteral("xwininfo"), {"-id", id}).contains(QStringLiteral("Width: %1\n").arg(width)))
            return id;
    }
    return {};
}

// A window by title, ignoring the hidden leader window Qt keeps under the application's
// name. The search walks every window and gives up when one vanishes under it (the window
// manager makes and drops frames as ours are shown and hidden), so it is tried until it
// answers; window ids stay the same for a whole run, so a test finds them once.
inline QString findWindow(const QString &namePattern, int minimumWidth)
{
    QString found;
    const auto search = [&] {
        const QStringList ids =
            look(QStringLiteral("xdotool"), {"search", "--name", namePattern}).split('\n', Qt::SkipEmptyParts);
        for (const QString &id : ids) {
            if (XWindowState::fromXwininfo(look(QStringLiteral("xwininfo"), {"-id", id})).geometry.width()
                >= minimumWidth) {
                found = id;
                return true;
            }
        }
        return false;
    };
    return QTest::qWaitFor(search, kWaitMs) ? found : QString();
}

inline XWindowState windowState(const QString &id)
{
    if (id.isEmpty())
        return {};
    return XWindowState::fromXwininfo(look(QStringLiteral("xwininfo"), {"-id", id}));
}

inline XWindowState quilloWindowState(int width)
{
    return windowState(quilloWindow(width));
}

inline void movePointer(int x, int y)
{
    run(QStringLiteral("xdotool"), {"mousemove", QString::number(x), QString::number(y)});
}

} // namespace XDesktop
