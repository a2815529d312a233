#include "single_instance.h"

#include "store/storage_error.h"

#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace {

const QByteArray kAnswer = QByteArrayLiteral("ok\n");

} // namespace

QString SingleInstance::defaultSupportDirectory()
{
    QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return dataHome + QStringLiteral("/Quillo");
}

// The session's runtime folder when there is one (it goes away with the session), else
// the support folder. Never /tmp: another user could take the name first.
QString SingleInstance::defaultSocketPath(const QString &supportDirectory)
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString folder = !runtime.isEmpty() && QDir(runtime).exists() ? runtime : supportDirectory;
    return folder + QStringLiteral("/quillo.socket");
}

SingleInstance::SingleInstance(const QString &supportDirectory, const QString &socketPath, QObject *parent)
    : QObject(parent)
    , m_socketPath(socketPath)
    , m_lock(supportDirectory + QStringLiteral("/quillo.lock"))
{
    // A live holder keeps the lock however old the file is; only a dead holder's lock is
    // taken over.
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

SingleInstance::Lock SingleInstance::tryAcquire(QString *problem)
{
    QDir().mkpath(QFileInfo(m_lock.fileName()).absolutePath());
    if (m_lock.tryLock(0))
        return Lock::acquired;
    // Only LockFailedError means a live holder; the others are the folder's fault.
    if (m_lock.error() == QLockFile::LockFailedError)
        return Lock::heldByAnother;
    if (problem)
        *problem = m_lock.fileName() + QStringLiteral(": ") + StorageError::reason(m_lock.fileName());
    return Lock::unavailable;
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // We hold the lock, so a socket file left here belongs to a crashed earlier run.
    QLocalServer::removeServer(m_socketPath);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onNewConnection);
    return m_server->listen(m_socketPath);
}

void SingleInstance::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // A peer that connects and says nothing is not kept waiting for ever.
        QTimer::singleShot(kAnswerTimeoutMs, socket, [socket] { socket->abort(); });
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            // Anything but one known command, or more bytes than the longest has, ends the
            // connection without an answer.
            if (socket->bytesAvailable() > PanelCommands::kMaxLineLength) {
                socket->abort();
                return;
            }
            if (!socket->canReadLine())
                return;
            const std::optional<PanelCommand> command = PanelCommands::fromLine(socket->readLine());
            if (command) {
                socket->write(kAnswer);
                socket->flush();
            }
            socket->disconnectFromServer();
            if (command)
                emit commandReceived(*command);
        });
    }
}

SingleInstance::Answer SingleInstance::ask(const QString &socketPath, PanelCommand command)
{
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(kAnswerTimeoutMs)) {
        const QLocalSocket::LocalSocketError error = socket.error();
        return error == QLocalSocket::ServerNotFoundError || error == QLocalSocket::ConnectionRefusedError
                   ? Answer::noneRunning
                   : Answer::noAnswer;
    }
    socket.write(PanelCommands::line(command));
    if (!socket.waitForBytesWritten(kAnswerTimeoutMs))
        return Answer::noAnswer;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(kAnswerTimeoutMs))
            return Answer::noAnswer;
    }
    return socket.readLine() == kAnswer ? Answer::done : Answer::noAnswer;
}
