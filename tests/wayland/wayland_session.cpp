#include "wayland_session.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <unistd.h>

namespace {

const char kUser[] = "quillo-session";
const QString kSocket = QStringLiteral("wl-quillo");

bool writeText(const QString &path, const QByteArray &text, QFile::Permissions permissions)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size()
           && file.setPermissions(permissions);
}

// Ends a process started in its own process group, with everything it started.
void endGroup(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    const auto group = static_cast<pid_t>(process.processId());
    ::kill(-group, SIGTERM);
    if (!process.waitForFinished(3000)) {
        ::kill(-group, SIGKILL);
        process.waitForFinished(3000);
    }
}

} // namespace

WaylandSession::WaylandSession(Compositor compositor)
    : m_compositor(compositor)
    , m_dir(QDir::tempPath() + QStringLiteral("/quillo-wl-XXXXXX"))
{
}

WaylandSession::~WaylandSession()
{
    endGroup(m_compositorProcess);
    endGroup(m_bus);
}

QString WaylandSession::compositorLog() const
{
    QFile file(root() + QStringLiteral("/compositor.log"));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll().right(4000)) : QString();
}

QString WaylandSession::install(const QString &program) const
{
    const QString copy = root() + QStringLiteral("/bin/") + QFileInfo(program).fileName();
    QFile::remove(copy);
    // A copy also drops file capabilities (kwin_wayland's cap_sys_resource), which some
    // containers refuse to grant.
    if (!QFile::copy(program, copy))
        return {};
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                    | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
    return copy;
}

void WaylandSession::start(QProcess &process, const QString &program, const QStringList &arguments,
                           const QProcessEnvironment &extra) const
{
    QProcessEnvironment environment = m_environment;
    environment.insert(extra);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(home());
    const bool switchUser = m_switchUser;
    const uid_t uid = m_uid;
    const gid_t gid = m_gid;
    // Its own process group, so that whatever it starts ends with it.
    process.setChildProcessModifier([switchUser, uid, gid] {
        ::setsid();
        if (switchUser && (::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(126);
    });
    process.start(program, arguments);
}

QString WaylandSession::run(const QString &program, const QStringList &arguments, int *exitCode,
                            const QByteArray &input) const
{
    QProcess process;
    start(process, program, arguments);
    if (!input.isNull()) {
        process.write(input);
        process.closeWriteChannel();
    }
    if (!process.waitForFinished(10000))
        endGroup(process);
    if (exitCode)
        *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString WaylandSession::start()
{
    if (!m_dir.isValid())
        return QStringLiteral("no temporary folder");
    if (QString failure = chooseUser(); !failure.isEmpty())
        return failure;
    prepareFolders();
    const QString sessionProgram = writeConfiguration();
    if (sessionProgram.isEmpty())
        return QStringLiteral("cannot write the session's files");
    if (m_switchUser
        && QProcess::execute(QStringLiteral("chown"),
                             {QStringLiteral("-R"), QStringLiteral("%1:%2").arg(m_uid).arg(m_gid), root()})
               != 0)
        return QStringLiteral("cannot hand the session folder to its user");

    start(m_bus, QStringLiteral("dbus-daemon"),
          {QStringLiteral("--session"), QStringLiteral("--nofork"),
           QStringLiteral("--address=") + m_environment.value(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"))});
    if (!m_bus.waitForStarted())
        return QStringLiteral("dbus-daemon does not start");
    return startCompositor(sessionProgram);
}

QString WaylandSession::chooseUser()
{
    if (::geteuid() != 0)
        return {};
    if (!::getpwnam(kUser))
        QProcess::execute(QStringLiteral("/usr/sbin/useradd"),
                          {QStringLiteral("--system"), QStringLiteral("--no-create-home"), QStringLiteral("--shell"),
                           QStringLiteral("/usr/sbin/nologin"), QString::fromLatin1(kUser)});
    const passwd *user = ::getpwnam(kUser);
    if (!user)
        return QStringLiteral("cannot create the user %1 for the compositor").arg(QString::fromLatin1(kUser));
    m_switchUser = true;
    m_uid = user->pw_uid;
    m_gid = user->pw_gid;
    return {};
}

void WaylandSession::prepareFolders()
{
    for (const char *folder : {"/bin", "/home/.config", "/run"})
        QDir().mkpath(root() + QString::fromLatin1(folder));
    const QString runtime = root() + QStringLiteral("/run");
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    m_environment.insert(QStringLiteral("PATH"), QStringLiteral("/usr/local/bin:/usr/bin:/bin"));
    m_environment.insert(QStringLiteral("HOME"), home());
    m_environment.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    m_environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=") + runtime + "/bus");
    const QProcessEnvironment outer = QProcessEnvironment::systemEnvironment();
    for (const QString &name : {QStringLiteral("ASAN_OPTIONS"), QStringLiteral("UBSAN_OPTIONS")}) {
        if (outer.contains(name))
            m_environment.insert(name, outer.value(name));
    }
}

QString WaylandSession::startCompositor(const QString &sessionProgram)
{
    const QStringList command = compositorCommand(sessionProgram);
    m_compositorProcess.setStandardOutputFile(root() + QStringLiteral("/compositor.log"));
    m_compositorProcess.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment extra;
    extra.insert(QStringLiteral("KWIN_COMPOSE"), QStringLiteral("Q"));
    extra.insert(QStringLiteral("KWIN_WAYLAND_NO_PERMISSION_CHECKS"), QStringLiteral("1"));
    extra.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
    extra.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
    extra.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
    start(m_compositorProcess, command.first(), command.mid(1), extra);
    if (!m_compositorProcess.waitForStarted())
        return QStringLiteral("%1 is not installed").arg(command.first());
    if (!readSessionEnvironment())
        return QStringLiteral("%1 did not start a session: %2").arg(command.first(), compositorLog());

    // The X window manager is up once it names its check window on the root.
    const QDeadlineTimer deadline(20000);
    while (!run(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
                .contains(QLatin1String("window id"))) {
        if (deadline.hasExpired())
            return QStringLiteral("XWayland or its window manager did not start: %1").arg(compositorLog());
        QThread::msleep(100);
    }
    return {};
}

bool WaylandSession::readSessionEnvironment()
{
    const QDeadlineTimer deadline(20000);
    const QString path = root() + QStringLiteral("/session-env");
    while (!deadline.hasExpired() && m_compositorProcess.state() == QProcess::Running) {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly) && file.readAll().endsWith("\nend\n")) {
            file.seek(0);
            for (const QByteArray &line : file.readAll().split('\n')) {
                const qsizetype equals = line.indexOf('=');
                const QString name = QString::fromUtf8(line.left(equals));
                if (equals > 0 && QStringList{"WAYLAND_DISPLAY", "DISPLAY", "XAUTHORITY", "SWAYSOCK"}.contains(name))
                    m_environment.insert(name, QString::fromUtf8(line.mid(equals + 1)));
            }
            return m_environment.contains(QStringLiteral("DISPLAY"));
        }
        m_compositorProcess.waitForFinished(100);
    }
    return false;
}

// The session program writes the session's environment for us, then waits as long as the
// compositor's socket is there.
QString WaylandSession::writeConfiguration()
{
    const QFile::Permissions readable = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;
    const QString program = root() + QStringLiteral("/session.sh");
    const QByteArray script = "#!/bin/sh\nenv > " + root().toUtf8() + "/session-env.tmp\necho end >> " + root().toUtf8()
                              + "/session-env.tmp\nmv " + root().toUtf8() + "/session-env.tmp " + root().toUtf8()
                              + "/session-env\n"
                                "while [ -S \"$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY\" ]; do sleep 1; done\n";
    if (!writeText(program, script, readable | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther))
        return {};
    // The Wayland window on the left half, where the pointer goes to leave the panel.
    const QByteArray kwinRules = "[General]\ncount=1\nrules=1\n\n[1]\nDescription=test window\nposition=0,20\n"
                                 "positionrule=3\nsize=700,860\nsizerule=3\ntitle=wayland-window\ntitlematch=1\n";
    const QByteArray swayConfig = "output HEADLESS-1 resolution 1440x900\nxwayland enable\n"
                                  "default_border none\ndefault_floating_border none\n"
                                  "for_window [app_id=\"wayland_window\"] floating enable, move position 0 20\n"
                                  "exec "
                                  + program.toUtf8() + "\n";
    return writeText(home() + QStringLiteral("/.config/kwinrulesrc"), kwinRules, readable)
                   && writeText(root() + QStringLiteral("/sway.conf"), swayConfig, readable)
               ? program
               : QString();
}

QStringList WaylandSession::compositorCommand(const QString &sessionProgram) const
{
    const QString size = QStringLiteral("%1x%2").arg(kWidth).arg(kHeight);
    switch (m_compositor) {
    case Compositor::KWin:
        return {install(QStringLiteral("/usr/bin/kwin_wayland")),
                QStringLiteral("--virtual"),
                QStringLiteral("--xwayland"),
                QStringLiteral("--width"),
                QString::number(kWidth),
                QStringLiteral("--height"),
                QString::number(kHeight),
                QStringLiteral("--socket"),
                kSocket,
                QStringLiteral("--no-lockscreen"),
                QStringLiteral("--no-global-shortcuts"),
                QStringLiteral("--no-kactivities"),
                sessionProgram};
    case Compositor::Mutter:
        return {QStringLiteral("mutter"),
                QStringLiteral("--headless"),
                QStringLiteral("--wayland"),
                QStringLiteral("--virtual-monitor"),
                size,
                QStringLiteral("--wayland-display"),
                kSocket,
                QStringLiteral("--"),
                sessionProgram};
    case Compositor::Sway: return {QStringLiteral("sway"), QStringLiteral("-c"), root() + QStringLiteral("/sway.conf")};
    }
    return {};
}
