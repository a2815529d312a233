#include "text_file.h"

#include <QFile>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// Opens without blocking (a FIFO would otherwise wait for a writer for ever) and checks the
// opened file itself, so a file swapped for a FIFO or a device after a separate stat is still
// refused. -1 for anything but a regular file.
int openRegularFile(const QString &path, struct stat *status)
{
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty())
        return -1;
    int fd = -1;
    do {
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    if (::fstat(fd, status) != 0 || !S_ISREG(status->st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Reads up to n bytes into data, fewer only at the end of the file; -1 on a read error.
qsizetype readInto(int fd, char *data, qsizetype n)
{
    qsizetype filled = 0;
    while (filled < n) {
        const ssize_t got = ::read(fd, data + filled, size_t(n - filled));
        if (got == 0)
            break;
        if (got < 0 && errno != EINTR)
            return -1;
        if (got > 0)
            filled += got;
    }
    return filled;
}

// The length of `data` without a character cut off at its end.
qsizetype wholeCharacters(const QByteArray &data)
{
    const qsizetype size = data.size();
    for (qsizetype back = 1; back <= 4 && back <= size; ++back) {
        const uchar byte = uchar(data.at(size - back));
        if ((byte & 0xC0) == 0x80)
            continue; // a continuation byte: look further back for the lead
        const int length = byte < 0x80 ? 1 : byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : 2;
        return length > back ? size - back : size;
    }
    return size; // no lead byte in reach: invalid, and the decoder will say so
}

} // namespace

namespace TextFile {

std::optional<Bytes> readBytes(const QString &path, qint64 maxBytes)
{
    struct stat status
    {
    };
    const int fd = openRegularFile(path, &status);
    if (fd < 0)
        return std::nullopt;
    Bytes bytes;
    bytes.size = status.st_size;
    bytes.modifiedNs = qint64(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec;
    // One byte more than wanted tells whether the file goes on. The file may grow while it is
    // read, so its size only decides the first allocation.
    const qint64 want = qMax<qint64>(0, maxBytes);
    qsizetype capacity = qsizetype(qMin<qint64>(want, status.st_size)) + 1;
    bytes.data.resize(capacity);
    qsizetype filled = readInto(fd, bytes.data.data(), capacity);
    while (filled == capacity && capacity <= want) {
        capacity = qsizetype(qMin<qint64>(qint64(capacity) * 2, want + 1));
        bytes.data.resize(capacity);
        const qsizetype more = readInto(fd, bytes.data.data() + filled, capacity - filled);
        filled = more < 0 ? -1 : filled + more;
    }
    ::close(fd);
    if (filled < 0)
        return std::nullopt;
    bytes.complete = filled <= want;
    bytes.data.truncate(qMin<qsizetype>(filled, qsizetype(want)));
    return bytes;
}

bool hasByteOrderMark(const QByteArray &data)
{
    return data.startsWith(kByteOrderMark);
}

std::optional<QString> decodeUtf8(const QByteArray &data, bool complete)
{
    const qsizetype start = hasByteOrderMark(data) ? kByteOrderMark.size() : 0;
    const qsizetype end = complete ? data.size() : qMax(start, wholeCharacters(data));
    // QString::fromUtf8 never fails (it turns invalid bytes into U+FFFD, and saving that text
    // would destroy a file in another encoding); the decoder's error flag tells.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(data).sliced(start, end - start));
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

std::optional<QString> readUtf8(const QString &path, qint64 maxBytes)
{
    const std::optional<Bytes> bytes = readBytes(path, maxBytes);
    if (!bytes)
        return std::nullopt;
    return decodeUtf8(bytes->data, bytes->complete);
}

} // namespace TextFile
