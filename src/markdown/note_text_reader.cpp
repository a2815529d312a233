#include "note_text_reader.h"

#include <QFile>
#include <QStringDecoder>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Opens without blocking (a FIFO would otherwise wait for a writer forever) and checks
// the opened file itself, so a file swapped for a FIFO or device after a separate stat
// is still refused. Returns -1 for anything but a regular file.
int openRegularFile(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty())
        return -1;
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info
    {
    };
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::optional<QByteArray> readRegularFile(const QString &path)
{
    const int fd = openRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return data;
}

} // namespace

namespace NoteTextReader {

std::optional<QString> read(const QString &path)
{
    const std::optional<QByteArray> data = readRegularFile(path);
    if (!data)
        return std::nullopt;
    const qsizetype bom = data->startsWith("\xEF\xBB\xBF") ? 3 : 0;
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(*data).sliced(bom));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

QString readOrEmpty(const QString &path)
{
    return read(path).value_or(QString());
}

} // namespace NoteTextReader
