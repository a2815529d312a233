#include "pointer_monitor.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

PointerMonitor::PointerMonitor(QWidget *panel, QObject *parent)
    : QObject(parent)
    , m_panel(panel)
{
    QCoreApplication::instance()->installEventFilter(this);
}

PointerMonitor::~PointerMonitor()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool PointerMonitor::eventFilter(QObject *watched, QEvent *event)
{
    // Qt delivers each move first to the QWindow and then again to the widget under the
    // pointer; only the window's copy is counted, so each move is reported once. A window
    // gets moves without a button too, whatever the widgets' mouse tracking.
    if (event->type() == QEvent::MouseMove && m_panel && watched == m_panel->windowHandle()) {
        const auto *move = static_cast<QMouseEvent *>(event);
        emit pointerMoved(move->globalPosition().toPoint());
    }
    return false;
}
