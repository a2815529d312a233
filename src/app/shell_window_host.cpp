#include "shell_window_host.h"

#include "panel_window.h"
#include "platform/x11_window_states.h"
#include "tab_window.h"

#include <QApplication>
#include <QPropertyAnimation>
#include <QWindow>

ShellWindowHost::ShellWindowHost(QWidget *panelContent, QWidget *tabContent, QObject *parent)
    : QObject(parent)
    , m_panel(std::make_unique<PanelWindow>(panelContent))
    , m_tab(std::make_unique<TabWindow>(tabContent))
{
    m_slide = new QPropertyAnimation(m_panel.get(), "pos", this);
    m_slide->setDuration(kSlideDurationMs);
    m_slide->setEasingCurve(QEasingCurve::InOutCubic);
    // The window type and states are there from the start, for whoever looks before the first show.
    X11WindowStates::prepareBeforeMap(m_panel->windowHandle());
    X11WindowStates::prepareBeforeMap(m_tab->windowHandle());
}

ShellWindowHost::~ShellWindowHost()
{
    m_slide->stop();
}

QRect ShellWindowHost::panelGeometry() const
{
    return m_panel->geometry();
}

void ShellWindowHost::movePanel(const QRect &target, bool animated)
{
    m_slide->stop();
    const bool slides = animated && !m_place && m_panel->isVisible();
    m_panel->setTravelArea(slides ? target.united(m_panel->geometry()) : target);
    m_panel->resize(target.size());
    if (m_place && m_panel->isVisible()) {
        m_place(m_panel.get(), target);
        return;
    }
    if (!animated || !m_panel->isVisible()) {
        m_panel->move(target.topLeft());
        return;
    }
    m_slide->setStartValue(m_panel->pos());
    m_slide->setEndValue(target.topLeft());
    m_slide->start();
}

// Window managers drop the all-desktops, skip-taskbar and above states of a window that is
// unmapped and mapped again, so they are written before every map and re-sent after it.
void ShellWindowHost::orderFront(QWidget *window)
{
    if (!window->isVisible()) {
        window->winId();
        X11WindowStates::prepareBeforeMap(window->windowHandle());
        window->show();
        X11WindowStates::reassertAfterShow(window->windowHandle());
        if (m_place)
            m_place(window, window->geometry());
    }
    window->raise();
}

void ShellWindowHost::orderPanelFront()
{
    orderFront(m_panel.get());
}

void ShellWindowHost::orderPanelOut()
{
    m_slide->stop();
    m_panel->hide();
}

void ShellWindowHost::setTabGeometry(const QRect &frame)
{
    m_tab->setContentSize(frame.size());
    if (m_place && m_tab->isVisible()) {
        m_tab->resize(frame.size());
        m_place(m_tab.get(), frame);
        return;
    }
    m_tab->setGeometry(frame);
}

void ShellWindowHost::orderTabFront()
{
    orderFront(m_tab.get());
}

void ShellWindowHost::orderTabOut()
{
    m_tab->hide();
}

bool ShellWindowHost::isPopupOpen() const
{
    return QApplication::activePopupWidget() != nullptr || QApplication::activeModalWidget() != nullptr;
}
