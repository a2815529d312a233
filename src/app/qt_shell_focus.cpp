#include "qt_shell_focus.h"

#include "panel_window.h"
#include "platform/x11_window_activation.h"
#include "shell_window_host.h"
#include "tab_window.h"
#include "views/root/root_view.h"

#include <QGuiApplication>

QtShellFocus::QtShellFocus(ShellWindowHost &windows, RootView &content)
    : m_windows(windows)
    , m_content(content)
{
}

quint32 QtShellFocus::activeForeignWindow() const
{
    const quint32 active = X11WindowActivation::activeWindow();
    if (active == quint32(m_windows.panel()->winId()) || active == quint32(m_windows.tab()->winId()))
        return 0;
    return active;
}

bool QtShellFocus::applicationHasKeyboard() const
{
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

void QtShellFocus::activatePanel()
{
    m_content.focusSearch();
    activateWindow(quint32(m_windows.panel()->winId()));
}

void QtShellFocus::activateWindow(quint32 window)
{
    X11WindowActivation::activate(window);
    if (m_extra)
        m_extra(window);
}
