#pragma once

#include <QList>
#include <QObject>
#include <QSocketNotifier>

// Turns SIGTERM, SIGINT and SIGHUP (how a desktop session ends a program) into a Qt signal
// on the main thread, through a self-pipe: nothing but write() runs in the handler.
class UnixSignalWatcher : public QObject
{
    Q_OBJECT
public:
    explicit UnixSignalWatcher(QObject *parent = nullptr);
    ~UnixSignalWatcher() override;

    // Installs the handlers for the three signals.
    bool watchTerminationSignals();

signals:
    void terminationRequested(int signalNumber);

private:
    QSocketNotifier *m_notifier = nullptr;
    QList<int> m_watched;
};
