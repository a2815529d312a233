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
    layout->addWidget(content, 0, Qt::AlignLeft | Qt::AlignTop);
    m_content = content;
    // As for the panel: real crossings only, seen on the QWindow.
    winId();
    windowHandle()->installEventFilter(this);
}

void TabWindow::setContentSize(QSize size)
{
    m_content->setFixedSize(size);
}

bool TabWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Enter)
        emit pointerEntered();
    return QWidget::eventFilter(watched, event);
}
