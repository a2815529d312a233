#include "platform/sway_window_placer.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

#include <cstring>

namespace {

constexpr char kMagic[] = "i3-ipc";
constexpr qsizetype kMagicSize = sizeof kMagic - 1;
constexpr qsizetype kHeaderSize = kMagicSize + 8;
constexpr quint32 kRunCommand = 0;

} // namespace

SwayWindowPlacer::SwayWindowPlacer(const QString &socketPath, QObject *parent)
    : QObject(parent)
    , m_socketPath(socketPath)
{
    connect(&m_socket, &QLocalSocket::readyRead, this, &SwayWindowPlacer::onReadyRead);
    connect(&m_socket, &QLocalSocket::disconnected, this, [this] {
        m_awaitingReply.clear();
        m_buffer.clear();
    });
    // sway focuses every window it maps; the panel and the tab must not take the keyboard
    // from the program in use each time they show.
    send({QStringLiteral("no_focus [pid=%1]").arg(QCoreApplication::applicationPid()).toUtf8(), 0, 1});
}

SwayWindowPlacer::~SwayWindowPlacer()
{
    // The socket says "disconnected" as it goes, after the members its handler clears.
    m_socket.disconnect(this);
}

QByteArray SwayWindowPlacer::runCommandMessage(const QByteArray &command)
{
    QByteArray message(kMagic, kMagicSize);
    const auto length = static_cast<quint32>(command.size());
    message.append(reinterpret_cast<const char *>(&length), sizeof length);
    message.append(reinterpret_cast<const char *>(&kRunCommand), sizeof kRunCommand);
    return message + command;
}

void SwayWindowPlacer::place(quint32 xWindow, QPoint topLeft)
{
    m_wanted.insert(xWindow, topLeft);
    send({placement(xWindow), xWindow});
}

void SwayWindowPlacer::focus(quint32 xWindow)
{
    // Tried again like a placement: sway may not have mapped a window that was just shown.
    send({QStringLiteral("[id=%1] focus").arg(xWindow).toUtf8(), 0});
}

QByteArray SwayWindowPlacer::placement(quint32 xWindow) const
{
    const QPoint topLeft = m_wanted.value(xWindow);
    return QStringLiteral("[id=%1] sticky enable, move absolute position %2 %3")
        .arg(xWindow)
        .arg(topLeft.x())
        .arg(topLeft.y())
        .toUtf8();
}

void SwayWindowPlacer::send(const Pending &pending)
{
    if (m_socket.state() != QLocalSocket::ConnectedState) {
        m_socket.connectToServer(m_socketPath);
        // A local socket connects at once or not at all.
        if (!m_socket.waitForConnected(100))
            return;
    }
    m_awaitingReply.append(pending);
    m_socket.write(runCommandMessage(pending.command));
}

// Replies come in the order of the commands: a JSON array with one result per command.
void SwayWindowPlacer::onReadyRead()
{
    m_buffer.append(m_socket.readAll());
    while (m_buffer.size() >= kHeaderSize) {
        quint32 length = 0;
        std::memcpy(&length, m_buffer.constData() + kMagicSize, sizeof length);
        if (m_buffer.size() < kHeaderSize + qsizetype(length))
            return;
        const QByteArray payload = m_buffer.mid(kHeaderSize, length);
        m_buffer.remove(0, kHeaderSize + length);
        if (m_awaitingReply.isEmpty())
            continue;
        Pending pending = m_awaitingReply.takeFirst();
        const QJsonArray results = QJsonDocument::fromJson(payload).array();
        const bool done = !results.isEmpty() && results.first().toObject().value(QLatin1String("success")).toBool();
        if (done || --pending.triesLeft <= 0)
            continue;
        QTimer::singleShot(kRetryDelayMs, this, [this, pending]() mutable {
            if (pending.xWindow != 0)
                pending.command = placement(pending.xWindow);
            send(pending);
        });
    }
}
