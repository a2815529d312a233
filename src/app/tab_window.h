#pragma once

#include <QWidget>

// The small window on the screen edge while the panel is collapsed. The pointer entering
// it reveals the panel (the hosted tab content reveals it on a click); leaving does nothing.
class TabWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TabWindow(QWidget *content);

signals:
    void pointerEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
