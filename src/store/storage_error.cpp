#include "storage_error.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/statvfs.h>
#include <unistd.h>

namespace StorageError {

QString reason(const QString &filePath, qint64 bytes)
{
    // A folder that could not be made is judged by the nearest one that exists.
    QString folder = QFileInfo(filePath).absolutePath();
    bool missing = false;
    while (!QFileInfo(folder).isDir() && folder.size() > 1) {
        folder = QFileInfo(folder).absolutePath();
        missing = true;
    }
    const QByteArray encoded = QFile::encodeName(folder);
    struct statvfs volume = {};
    if (::statvfs(encoded.constData(), &volume) == 0) {
        if (volume.f_flag & ST_RDONLY)
            return QStringLiteral("文件系统只读");
        // The temporary file beside the target needs room for the whole content, plus a block.
        const qint64 free = qint64(volume.f_bavail) * qint64(volume.f_frsize);
        if (free < bytes + qint64(volume.f_frsize) || volume.f_favail == 0)
            return QStringLiteral("磁盘空间不足");
    }
    if (::access(encoded.constData(), W_OK) != 0)
        return errno == EROFS ? QStringLiteral("文件系统只读") : QStringLiteral("没有写入权限");
    return missing ? QStringLiteral("文件夹不存在") : QStringLiteral("无法写入文件");
}

} // namespace StorageError
