#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>

class QWidget;

// Watches every pointer move (with or without a button held) that the application
// receives for the panel's window and reports its global position. Installed on the
// application; it never consumes an event. Moves in the tab or any other window are ignored.
class PointerMonitor : public QObject
{
    Q_OBJECT
public:
    PointerMonitor(QWidget *panel, QObject *parent = nullptr);
    ~PointerMonitor() override;

signals:
    void pointerMoved(const QPoint &globalPosition);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QPointer<QWidget> m_panel;
};
