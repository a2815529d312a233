#pragma once

#include "panel_command.h"

#include <QLockFile>
#include <QObject>
#include <QString>

class QLocalServer;

// One Quillo per user session. The first process takes a lock file in the support folder
// before it creates anything else and then listens on a local socket; a later launch finds
// the lock held, passes its panel command (PanelCommand) to the running process, and exits.
// Where the lock file cannot be made at all, the socket alone tells whether Quillo runs.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    static constexpr int kAnswerTimeoutMs = 3000;

    // Paths derived from the environment's XDG folders; usable before the application object.
    static QString defaultSupportDirectory();
    static QString defaultSocketPath(const QString &supportDirectory);

    SingleInstance(const QString &supportDirectory, const QString &socketPath, QObject *parent = nullptr);
    ~SingleInstance() override;

    enum class Lock
    {
        acquired,
        heldByAnother, // a live process holds it
        unavailable,   // the lock file cannot be made (a read-only or full support folder)
    };

    // Creates the support folder if needed and takes the lock. When unavailable, *problem
    // names the lock file and the cause.
    Lock tryAcquire(QString *problem = nullptr);
    // Starts answering later launches (needs the event loop). Call after tryAcquire().
    bool listen();
    enum class Answer
    {
        done,        // the running process took the command
        noneRunning, // nobody listens on the socket
        noAnswer,    // somebody listens but did not take the command in time
    };
    // From a later launch: hands `command` to the running process and waits for its answer.
    // Touches no file.
    static Answer ask(const QString &socketPath, PanelCommand command);

signals:
    // Emitted after the answer went out, so that quit can end the process at once.
    void commandReceived(PanelCommand command);

private:
    void onNewConnection();

    QString m_socketPath;
    QLockFile m_lock;
    QLocalServer *m_server = nullptr;
};
