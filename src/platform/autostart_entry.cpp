#include "platform/autostart_entry.h"

#include "platform/desktop_entry_text.h"
#include "quillo_build_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

const QString kTurnOnFailed = QStringLiteral("无法开启登录时启动：");
const QString kTurnOffFailed = QStringLiteral("无法关闭登录时启动：");

// A path an entry can name: absolute, and free of control characters and of bytes that were
// not UTF-8 (decoded as U+FFFD), which a desktop entry cannot carry.
bool isWritablePath(const QString &path)
{
    return QDir::isAbsolutePath(path) && std::none_of(path.cbegin(), path.cend(), [](QChar c) {
               return c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar::ReplacementCharacter;
           });
}

// The deepest part of `path` that exists.
QString existingAncestor(QString path)
{
    while (!QFileInfo::exists(path) && path != QLatin1String("/"))
        path = QFileInfo(path).absolutePath();
    return path;
}

} // namespace

AutostartEntry::AutostartEntry(const QString &executable, const QString &configHome)
    : m_executable(executable)
    , m_folder(QDir::cleanPath(configHome + QStringLiteral("/autostart")))
{
}

AutostartEntry::AutostartEntry()
    : AutostartEntry(QCoreApplication::applicationFilePath(), defaultConfigHome())
{
}

QString AutostartEntry::defaultConfigHome()
{
    const QString configured = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (QDir::isAbsolutePath(configured))
        return configured;
    return QDir::homePath() + QStringLiteral("/.config");
}

QString AutostartEntry::entryText(const QString &executable)
{
    using namespace DesktopEntryText;
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quillo\n"
                          "Comment=Clipboard history and Markdown notes in a panel at the edge of the screen\n"
                          "Comment[zh_CN]=停靠在屏幕边缘的剪贴板历史与 Markdown 笔记面板\n"
                          "Exec=%1\n"
                          "TryExec=%2\n"
                          "Icon=%3\n"
                          "Terminal=false\n"
                          "StartupNotify=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(escapeValue(quoteExecArgument(executable)), escapeValue(executable),
             QLatin1String(BuildInfo::kApplicationId));
}

QString AutostartEntry::filePath() const
{
    return m_folder + QLatin1Char('/') + QLatin1String(BuildInfo::kApplicationId) + QStringLiteral(".desktop");
}

QHash<QString, QString> AutostartEntry::readKeys() const
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return DesktopEntryText::readMainGroup(file.read(64 * 1024));
}

// An entry that session managers skip (Hidden, or GNOME's own switch set off) starts nothing.
bool AutostartEntry::isEnabled() const
{
    if (!QFileInfo(filePath()).isFile())
        return false;
    const QHash<QString, QString> keys = readKeys();
    return keys.value(QStringLiteral("Hidden")) != QLatin1String("true")
           && keys.value(QStringLiteral("X-GNOME-Autostart-enabled")) != QLatin1String("false");
}

QString AutostartEntry::startedProgram() const
{
    if (!isEnabled())
        return {};
    return DesktopEntryText::execProgram(readKeys().value(QStringLiteral("Exec")));
}

QString AutostartEntry::setEnabled(bool enabled)
{
    return enabled ? enable() : disable();
}

QString AutostartEntry::enable()
{
    if (!isWritablePath(m_executable))
        return kTurnOnFailed + QStringLiteral("程序的路径含有自启动项无法记录的字符");
    errno = 0;
    if (!QDir().mkpath(m_folder))
        return kTurnOnFailed + reasonFor(errno);
    QSaveFile file(filePath());
    errno = 0;
    const QByteArray text = entryText(m_executable).toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.commit())
        return {};
    const int saved = errno;
    file.cancelWriting();
    return kTurnOnFailed + reasonFor(saved);
}

QString AutostartEntry::disable()
{
    const QString path = filePath();
    errno = 0;
    if (!QFileInfo::exists(path) || QFile::remove(path))
        return {};
    return kTurnOffFailed + reasonFor(errno);
}

// What went wrong, told from the folder itself where possible: errno after Qt's file calls
// may come from a later clean-up call.
QString AutostartEntry::reasonFor(int savedErrno) const
{
    const QString existing = existingAncestor(m_folder);
    int error = savedErrno;
    if (!QFileInfo(existing).isDir())
        error = ENOTDIR;
    else if (::access(QFile::encodeName(existing).constData(), W_OK) != 0)
        error = errno;
    switch (error) {
    case EACCES:
    case EPERM: return QStringLiteral("没有写入自启动文件夹的权限");
    case EROFS: return QStringLiteral("自启动文件夹所在的文件系统是只读的");
    case ENOSPC:
    case EDQUOT: return QStringLiteral("磁盘空间不足");
    case ENOTDIR:
    case EEXIST: return QStringLiteral("自启动文件夹的位置上已有一个同名文件");
    case ENOENT: return QStringLiteral("无法在此位置创建自启动文件夹");
    case 0: return QStringLiteral("原因不明");
    default: return QStringLiteral("系统错误（%1）").arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}
