#pragma once

#include "shell_seams.h"

#include <functional>

class RootView;
class ShellWindowHost;

// The shell's keyboard focus on X11: the window manager is asked as a pager would ask
// (X11WindowActivation), so focus-stealing prevention lets the panel have the keyboard
// when a shortcut brought it out.
class QtShellFocus : public ShellFocus
{
public:
    QtShellFocus(ShellWindowHost &windows, RootView &content);

    quint32 activeForeignWindow() const override;
    bool applicationHasKeyboard() const override;
    void activatePanel() override;
    void activateWindow(quint32 window) override;

    // For compositors that decide focus themselves (sway): called after the X request.
    using Activation = std::function<void(quint32 window)>;
    void setExtraActivation(Activation activate) { m_extra = std::move(activate); }

private:
    ShellWindowHost &m_windows;
    RootView &m_content;
    Activation m_extra;
};
