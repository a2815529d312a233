#include "qt_shell_screens.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace {

ScreenInfo infoOf(const QScreen *screen)
{
    return ScreenInfo{screen->name(), screen->geometry(), screen->availableGeometry()};
}

} // namespace

QList<ScreenInfo> QtShellScreens::screens() const
{
    QList<ScreenInfo> result;
    for (const QScreen *screen : QGuiApplication::screens())
        result.append(infoOf(screen));
    return result;
}

std::optional<ScreenInfo> QtShellScreens::primaryScreen() const
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        return infoOf(screen);
    return std::nullopt;
}

QPoint QtShellScreens::pointerPosition() const
{
    return QCursor::pos();
}
