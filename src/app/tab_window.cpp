#include "tab_window.h"

#include <QVBoxLayout>

TabWindow::TabWindow(QWidget *content)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setWindowTitle(QStringLiteral("展开Quillo"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    content->setParent(this);
    layout->addWidget(content);
}

void TabWindow::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    emit pointerEntered();
}
