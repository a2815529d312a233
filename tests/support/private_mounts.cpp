#include "private_mounts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace {

bool fail(QString *why, const QString &what)
{
    if (why)
        *why = what + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(errno));
    return false;
}

bool writeProcFile(const char *path, const QByteArray &text)
{
    const int fd = ::open(path, O_WRONLY);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, text.constData(), size_t(text.size())) == text.size();
    ::close(fd);
    return written;
}

} // namespace

namespace PrivateMounts {

bool enter(QString *why)
{
    const uid_t uid = ::getuid();
    const gid_t gid = ::getgid();
    if (::unshare(CLONE_NEWNS) != 0) {
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0)
            return fail(why, QStringLiteral("unshare"));
        if (!writeProcFile("/proc/self/setgroups", "deny")
            || !writeProcFile("/proc/self/uid_map", "0 " + QByteArray::number(uid) + " 1")
            || !writeProcFile("/proc/self/gid_map", "0 " + QByteArray::number(gid) + " 1"))
            return fail(why, QStringLiteral("user namespace maps"));
    }
    // Mounts made here must not propagate back to the host.
    if (::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return fail(why, QStringLiteral("private mounts"));
    return true;
}

bool mountTmpfs(const QString &path, qint64 bytes, QString *why)
{
    QDir().mkpath(path);
    const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0700";
    if (::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", 0, options.constData()) != 0)
        return fail(why, QStringLiteral("mount tmpfs"));
    return true;
}

bool remountReadOnly(const QString &path, QString *why)
{
    if (::mount("tmpfs", QFile::encodeName(path).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return fail(why, QStringLiteral("remount read-only"));
    return true;
}

bool unmount(const QString &path)
{
    return ::umount2(QFile::encodeName(path).constData(), MNT_DETACH) == 0;
}

bool fill(const QString &folder, const QString &name)
{
    QFile file(folder + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray block(64 * 1024, 'x');
    while (file.write(block) == block.size() && file.flush()) {
    }
    // The last, partial blocks.
    const QByteArray byte(1, 'x');
    while (file.write(byte) == 1 && file.flush()) {
    }
    return true;
}

} // namespace PrivateMounts
