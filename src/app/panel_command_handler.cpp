#include "panel_command_handler.h"

#include "shell_seams.h"
#include "shell_state_machine.h"

PanelCommandHandler::PanelCommandHandler(ShellStateMachine &shell, ShellFocus &focus, QObject *parent)
    : QObject(parent)
    , m_shell(shell)
    , m_focus(focus)
{
    connect(&m_shell, &ShellStateMachine::collapseStarted, this, [this] { m_keyboardReveal = false; });
}

void PanelCommandHandler::run(PanelCommand command)
{
    switch (command) {
    case PanelCommand::reveal: m_shell.showExpanded(true); return;
    case PanelCommand::show: show(); return;
    case PanelCommand::hide:
        if (!m_shell.isCollapsed())
            dismiss();
        return;
    case PanelCommand::toggle:
        if (m_shell.isCollapsed()) {
            show();
            return;
        }
        dismiss();
        // A guard kept the panel out: it takes the keyboard instead.
        if (!m_shell.isCollapsed())
            show();
        return;
    case PanelCommand::quit: emit quitRequested(); return;
    }
}

void PanelCommandHandler::show()
{
    // Shown again while already out for the keyboard, the panel keeps the window it came
    // from unless another one has the keyboard now.
    const quint32 active = m_focus.activeForeignWindow();
    if (!m_keyboardReveal || active != 0)
        m_previous = active;
    const bool wasOut = !m_shell.isCollapsed();
    m_shell.showExpanded(true);
    m_focus.activatePanel();
    m_keyboardReveal = true;
    m_hadKeyboard = wasOut && m_focus.applicationHasKeyboard();
}

void PanelCommandHandler::dismiss()
{
    const bool giveBack = m_keyboardReveal;
    m_shell.collapse();
    if (giveBack && m_shell.isCollapsed() && m_previous != 0)
        m_focus.activateWindow(m_previous);
}

void PanelCommandHandler::entryCopied()
{
    if (m_keyboardReveal)
        dismiss();
}

void PanelCommandHandler::focusEnteredApplication()
{
    m_hadKeyboard = m_keyboardReveal;
}

void PanelCommandHandler::focusLeftApplication()
{
    if (m_keyboardReveal && m_hadKeyboard && !m_shell.isPointerOverPanel())
        m_shell.collapse();
}
