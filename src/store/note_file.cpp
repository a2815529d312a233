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

// Reads a whole regular file, or a link to one. The type is checked on the opened
// descriptor, not on the name, so a file swapped for a FIFO or a device between listing
// and reading is refused too; O_NONBLOCK keeps open() itself from waiting on a FIFO.
bool readRegularFileOnce(const QString &path, QByteArray *data)
{
    const QByteArray native = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > kMaxNoteBytes) {
        ::close(fd);
        return false;
    }
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    // The size may change while reading; read to the end but never past the limit.
    QByteArray bytes = file.read(kMaxNoteBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kMaxNoteBytes)
        return false;
    *data = std::move(bytes);
    return true;
}

} // namespace

NoteFile NoteFile::read(const QUrl &url)
{
    NoteFile note;
    note.url = url;
    const QString path = url.toLocalFile();
    const QFileInfo info(path); // follows links: the target's date
    note.modifiedAt = info.exists() ? info.lastModified() : QDateTime();
    QByteArray data;
    if (!readRegularFileOnce(path, &data)) {
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
