#include "stored_pictures.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

// The resolved path of a stored picture, or empty.
QString resolvedStoredPicture(const QString &path, const QString &imagesDirectory)
{
    if (path.isEmpty() || !QDir::isAbsolutePath(path))
        return {};
    const QString resolved = QFileInfo(path).canonicalFilePath();
    const QString folder = QFileInfo(imagesDirectory).canonicalFilePath();
    if (resolved.isEmpty() || folder.isEmpty())
        return {};
    // isFile() is true for regular files only: FIFOs, sockets and devices are "sequential".
    const QFileInfo target(resolved);
    if (!target.isFile() || target.absolutePath() != folder)
        return {};
    return resolved;
}

} // namespace

namespace StoredPictures {

bool isStoredPicture(const QString &path, const QString &imagesDirectory)
{
    return !resolvedStoredPicture(path, imagesDirectory).isEmpty();
}

bool removeStoredPicture(const QString &path, const QString &imagesDirectory)
{
    const QString resolved = resolvedStoredPicture(path, imagesDirectory);
    return !resolved.isEmpty() && QFile::remove(resolved);
}

QImage loadStoredPicture(const QString &path, const QString &imagesDirectory)
{
    const QString resolved = resolvedStoredPicture(path, imagesDirectory);
    if (resolved.isEmpty())
        return {};
    QImageReader reader(resolved);
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QByteArray storedPictureDigest(const QString &path, const QString &imagesDirectory)
{
    const QString resolved = resolvedStoredPicture(path, imagesDirectory);
    if (resolved.isEmpty())
        return {};
    QFile file(resolved);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return {};
    return hash.result();
}

} // namespace StoredPictures
