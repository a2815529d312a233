#pragma once

#include <QObject>
#include <QTimer>

class QScreen;

// One notification for any change of the screen configuration: a screen added or removed,
// the primary changing, a screen's geometry or available geometry changing. A monitor
// switch fires several of these at once; they are coalesced into one screensChanged() on
// the next turn of the event loop.
class ScreenChangeObserver : public QObject
{
    Q_OBJECT
public:
    explicit ScreenChangeObserver(QObject *parent = nullptr);

signals:
    void screensChanged();

private:
    void watchScreen(QScreen *screen);

    QTimer m_coalesce;
};
