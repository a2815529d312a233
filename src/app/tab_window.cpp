#include "tab_window.h"

#include <QEvent>
#include <QVBoxLayout>
#include <QWindow>

TabWindow::TabWindow(QWidget *content)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    // Not a Qt::Tool, for the reason given at PanelWindow.
    setWindowTitle(QStringLiteral("展开Quillo"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    content->setParent(this);
    layout->addWidget(content);
    // As for the panel: real crossings only, seen on the QWindow.
    winId();
    windowHandle()->installEventFilter(this);
}

bool TabWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Enter)
        emit pointerEntered();
    return QWidget::eventFilter(watched, event);
}
