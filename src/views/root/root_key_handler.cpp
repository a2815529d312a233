#include "views/root/root_key_handler.h"

#include "store/content_mode.h"
#include "views/root/root_view.h"

#include <QKeyEvent>

RootKeyHandler::RootKeyHandler(RootView &root)
    : QObject(&root)
    , m_root(root)
{
    root.installEventFilter(this);
}

bool RootKeyHandler::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (modifiers != Qt::ControlModifier)
        return false;
    switch (key->key()) {
    case Qt::Key_1: m_root.switchTo(ContentMode::notes); return true;
    case Qt::Key_2: m_root.switchTo(ContentMode::clipboard); return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        m_root.switchTo(m_root.shownMode() == ContentMode::notes ? ContentMode::clipboard : ContentMode::notes);
        return true;
    case Qt::Key_F: m_root.focusSearch(); return true;
    default: return false;
    }
}
