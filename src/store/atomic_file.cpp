#include "atomic_file.h"

#include "log_categories.h"
#include "storage_error.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace AtomicFile {

namespace {

bool failed(QSaveFile &file, const QString &path, qint64 bytes, QString *errorText)
{
    qCWarning(lcStore) << "cannot write" << path << ":" << file.errorString();
    file.cancelWriting();
    if (errorText)
        *errorText = StorageError::reason(path, bytes);
    return false;
}

} // namespace

bool write(const QString &path, const QByteArray &data, Mode mode, QString *errorText)
{
    const bool existed = QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return failed(file, path, data.size(), errorText);
    // The temporary file is renamed over the target, so its mode is the final one.
    if (mode == Mode::OwnerOnly && !existed)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // flush() before commit(): Qt 6.4's commit() reports success when the buffered data
    // cannot be written (a full disk) and puts an empty file in place of the old one.
    if (file.write(data) != data.size() || !file.flush() || !file.commit())
        return failed(file, path, data.size(), errorText);
    return true;
}

bool openRegularFile(QFile &file, qint64 maxBytes)
{
    const QFileInfo info(file.fileName());
    if (!info.exists() || !info.isFile())
        return false; // also follows links: a link to a FIFO or a device is refused here
    if (maxBytes >= 0 && info.size() > maxBytes)
        return false;
    return file.open(QIODevice::ReadOnly);
}

bool readRegularFile(const QString &path, QByteArray *data, qint64 maxBytes)
{
    QFile file(path);
    if (!openRegularFile(file, maxBytes))
        return false;
    *data = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool moveAside(const QString &path, const QString &label)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString base =
        path + QLatin1Char('.') + label + QLatin1Char('-') + QString::number(QDateTime::currentSecsSinceEpoch());
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside) && n < 1000; ++n)
        aside = base + QLatin1Char('-') + QString::number(n);
    return QFile::rename(path, aside); // never replaces an existing file
}

} // namespace AtomicFile
