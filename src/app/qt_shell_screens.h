#pragma once

#include "shell_seams.h"

// The real screens (QGuiApplication::screens()) and pointer (QCursor::pos()).
class QtShellScreens : public ShellScreens
{
public:
    QList<ScreenInfo> screens() const override;
    std::optional<ScreenInfo> primaryScreen() const override;
    QPoint pointerPosition() const override;
};
