#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <sys/types.h>

// A headless Wayland session with XWayland (KWin, Mutter or sway) for one test process.
// Compositors refuse to run as root: as root the session runs as an unprivileged user
// created for it (otherwise as the caller), with a private runtime folder, home and
// session bus under one temporary folder. Every client of the session must be started
// through start() or run(), which give it the session's environment and user.
class WaylandSession
{
public:
    enum class Compositor
    {
        KWin,
        Mutter,
        Sway
    };
    static constexpr int kWidth = 1440;
    static constexpr int kHeight = 900;

    explicit WaylandSession(Compositor compositor);
    ~WaylandSession();
    WaylandSession(const WaylandSession &) = delete;
    WaylandSession &operator=(const WaylandSession &) = delete;

    // Starts the bus, the compositor and its XWayland; returns why it could not, or an
    // empty string.
    QString start();

    // Copies a program into the session's folder, where its user may run it (the build
    // folder may be private to root); returns the copy's path.
    QString install(const QString &program) const;
    // Runs a program inside the session; stdout and stderr stay separate.
    void start(QProcess &process, const QString &program, const QStringList &arguments,
               const QProcessEnvironment &extra = {}) const;
    // Runs a program to its end (at most 10 s) and returns its standard output.
    QString run(const QString &program, const QStringList &arguments, int *exitCode = nullptr,
                const QByteArray &input = {}) const;

    QString root() const { return m_dir.path(); }
    QString home() const { return root() + QStringLiteral("/home"); }
    QString compositorLog() const;

private:
    QString chooseUser();
    void prepareFolders();
    QString startCompositor(const QString &sessionProgram);
    QString writeConfiguration();
    QStringList compositorCommand(const QString &sessionProgram) const;
    bool readSessionEnvironment();

    Compositor m_compositor;
    QTemporaryDir m_dir;
    uid_t m_uid = 0;
    gid_t m_gid = 0;
    bool m_switchUser = false;
    QProcessEnvironment m_environment;
    QProcess m_bus;
    QProcess m_compositorProcess;
};
