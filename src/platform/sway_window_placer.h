#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QLocalSocket>
#include <QObject>
#include <QPoint>

// Places floating X windows under sway, which ignores the position an X window asks for
// and centres it. Sends sway's own commands over its IPC socket ($SWAYSOCK), without
// waiting: "[id=<X window>] sticky enable, move absolute position X Y". A window that sway
// has not mapped yet matches nothing; such a command is tried again a few times, always
// with the window's latest position. Also keeps sway from focusing our windows when they map.
class SwayWindowPlacer : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRetryDelayMs = 50;
    static constexpr int kTries = 10;

    explicit SwayWindowPlacer(const QString &socketPath, QObject *parent = nullptr);
    ~SwayWindowPlacer() override;

    void place(quint32 xWindow, QPoint topLeft);
    // Gives `xWindow` the keyboard: sway's own rules would only mark an X window that asks
    // for it as urgent.
    void focus(quint32 xWindow);

    // One IPC message: "i3-ipc", payload length and type (native byte order), payload.
    static QByteArray runCommandMessage(const QByteArray &command);

private:
    struct Pending
    {
        QByteArray command;
        quint32 xWindow = 0; // 0: not a placement
        int triesLeft = kTries;
    };

    void send(const Pending &pending);
    QByteArray placement(quint32 xWindow) const;
    void onReadyRead();

    QString m_socketPath;
    QLocalSocket m_socket;
    QByteArray m_buffer;
    QList<Pending> m_awaitingReply;
    QHash<quint32, QPoint> m_wanted;
};
