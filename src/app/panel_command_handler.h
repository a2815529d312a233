#pragma once

#include "panel_command.h"

#include <QObject>

class ShellFocus;
class ShellStateMachine;

// Carries out the panel commands and the keyboard's side of reveal and collapse. A panel
// brought out by show or toggle takes the keyboard, remembering the window that had it;
// it goes away again on hide or toggle, on Escape with nothing left to clear, after Enter
// copied an entry, or when another application's window takes the keyboard while the
// pointer is not over the panel. Going away (other than by that last way) hands the keyboard
// back to the remembered window. The shell's guards hold throughout: a pinned panel, an
// open note or the editor keep it out.
class PanelCommandHandler : public QObject
{
    Q_OBJECT
public:
    PanelCommandHandler(ShellStateMachine &shell, ShellFocus &focus, QObject *parent = nullptr);

    void run(PanelCommand command);
    // Escape on the panel with nothing left to clear.
    void dismiss();
    // Enter copied an entry.
    void entryCopied();
    // A window of ours got the keyboard, or the keyboard went to another application.
    void focusEnteredApplication();
    void focusLeftApplication();

    bool isKeyboardReveal() const { return m_keyboardReveal; }

signals:
    void quitRequested();

private:
    void show();

    ShellStateMachine &m_shell;
    ShellFocus &m_focus;
    bool m_keyboardReveal = false; // out for the keyboard, and not collapsed since
    // The panel has had the keyboard since it came out for it. Until then a loss of focus
    // is the window manager still finishing an earlier change (the last collapse's).
    bool m_hadKeyboard = false;
    quint32 m_previous = 0; // the window to give the keyboard back to
};
