#pragma once

#include <QWidget>

// The small window on the screen edge while the panel is collapsed. The pointer entering
// it reveals the panel (the hosted tab content reveals it on a click); leaving does nothing.
class TabWindow : public QWidget
{
    Q_OBJECT
public:
    explicit TabWindow(QWidget *content);

    // The content keeps the tab's size at the window's left even when the window is wider:
    // sway gives floating windows a minimum width (75 px) beyond the tab's, and the rest,
    // transparent, lies past the screen edge.
    void setContentSize(QSize size);

signals:
    void pointerEntered();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_content = nullptr;
};
