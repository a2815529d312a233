#include "store_paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStandardPaths>

namespace StorePaths {

namespace {

constexpr int kImageAllocationLimitMB = 2048;

const QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
const QFileDevice::Permissions kGroupOrOther = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
                                               | QFileDevice::ReadOther | QFileDevice::WriteOther
                                               | QFileDevice::ExeOther;

} // namespace

QString supportDirectory()
{
    QString dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (dataHome.isEmpty())
        dataHome = QDir::homePath() + QStringLiteral("/.local/share");
    return withoutTrailingSlash(dataHome) + QStringLiteral("/Quillo");
}

QString cloudDefaultNoteDirectory()
{
    return QDir::homePath() + QStringLiteral("/Library/Mobile Documents/com~apple~CloudDocs/Quillo");
}

QString localDefaultNoteDirectory()
{
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        documents = QDir::homePath() + QStringLiteral("/Documents");
    return withoutTrailingSlash(documents) + QStringLiteral("/Quillo");
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

bool createPrivateFolder(const QString &path)
{
    if (!QFileInfo(path).isDir()) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QDir().mkdir(path, kOwnerOnly);
    }
    const QFileInfo info(path);
    if (info.isDir() && (info.permissions() & kGroupOrOther))
        QFile::setPermissions(path, kOwnerOnly);
    return info.isDir();
}

void liftImageAllocationLimit()
{
    if (QImageReader::allocationLimit() < kImageAllocationLimitMB)
        QImageReader::setAllocationLimit(kImageAllocationLimitMB);
}

} // namespace StorePaths
