#include "atomic_file.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace AtomicFile {

bool write(const QString &path, const QByteArray &data, Mode mode, QString *errorText)
{
    const bool existed = QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    // The temporary file is renamed over the target, so its mode is the final one.
    if (mode == Mode::OwnerOnly && !existed)
        file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // Qt 6.4 reports a short write (a full disk, a file size limit) only through flush(); left
    // to commit(), the cut file would replace the old one and count as written.
    if (file.write(data) != data.size() || !file.flush()) {
        if (errorText)
            *errorText = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (errorText)
            *errorText = file.errorString();
        return false;
    }
    return true;
}

bool readRegularFile(const QString &path, QByteArray *data, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return false; // also follows links: a link to a FIFO or a device is refused here
    if (maxBytes >= 0 && info.size() > maxBytes)
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    *data = file.readAll();
    return file.error() == QFileDevice::NoError;
}

bool moveAside(const QString &path)
{
    if (!QFileInfo::exists(path))
        return true;
    const QString base = path + QStringLiteral(".rejected-") + QString::number(QDateTime::currentSecsSinceEpoch());
    QString aside = base;
    for (int n = 2; QFileInfo::exists(aside) && n < 1000; ++n)
        aside = base + QLatin1Char('-') + QString::number(n);
    return QFile::rename(path, aside); // never replaces an existing file
}

} // namespace AtomicFile
