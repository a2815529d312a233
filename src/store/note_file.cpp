#include "note_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A note is a text someone types; anything bigger is not read into memory (and, being
// unreadable, is never saved over).
constexpr qint64 kMaxNoteBytes = qint64(256) << 20;

QDateTime modificationTime(const struct stat &status)
{
    const qint64 ms = qint64(status.st_mtim.tv_sec) * 1000 + status.st_mtim.tv_nsec / 1'000'000;
    return QDateTime::fromMSecsSinceEpoch(ms);
}

// Reads a whole regular file, or a link to one, and its modification time. The type is
// checked on the opened descriptor, not on the name, so a file swapped for a FIFO or a device
// between listing and reading is refused too; O_NONBLOCK keeps open() itself from waiting on
// a FIFO.
bool readRegularFileOnce(const QString &path, QByteArray *data, QDateTime *modifiedAt)
{
    const QByteArray native = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat status
    {
    };
    bool ok = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size <= kMaxNoteBytes;
    QByteArray bytes;
    if (ok) {
        *modifiedAt = modificationTime(status);
        // The file may grow while it is read: read to the end, but never past the limit.
        bytes.resize(qsizetype(status.st_size) + 1);
        qsizetype filled = 0;
        while (ok) {
            if (filled == bytes.size()) {
                if (bytes.size() > kMaxNoteBytes) {
                    ok = false;
                    break;
                }
                bytes.resize(qMin<qsizetype>(bytes.size() * 2, kMaxNoteBytes + 1));
            }
            const ssize_t got = ::read(fd, bytes.data() + filled, size_t(bytes.size() - filled));
            if (got == 0)
                break;
            if (got < 0 && errno != EINTR)
                ok = false;
            else if (got > 0)
                filled += got;
        }
        bytes.truncate(filled);
    }
    ::close(fd);
    if (ok)
        *data = std::move(bytes);
    return ok;
}

} // namespace

NoteFile NoteFile::read(const QUrl &url)
{
    NoteFile note;
    note.url = url;
    const QString path = url.toLocalFile();
    QByteArray data;
    if (!readRegularFileOnce(path, &data, &note.modifiedAt)) {
        const QFileInfo info(path); // follows links: the target's date
        note.modifiedAt = info.exists() ? info.lastModified() : QDateTime();
        note.readable = false;
        return note;
    }
    note.hasBom = data.startsWith("\xEF\xBB\xBF");
    // QString::fromUtf8 never fails (it turns invalid bytes into U+FFFD, and saving that text
    // would destroy a file in another encoding); the decoder's error flag tells.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(QByteArrayView(data).sliced(note.hasBom ? 3 : 0));
    if (decoder.hasError()) {
        note.readable = false;
        return note;
    }
    note.content = std::move(text);
    return note;
}
