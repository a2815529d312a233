#include "note_file.h"

#include "text/text_file.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace {

QByteArray digestOf(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256);
}

QDateTime dateOf(qint64 modifiedNs)
{
    return QDateTime::fromMSecsSinceEpoch(modifiedNs / 1'000'000);
}

} // namespace

bool NoteStamp::matchesFile(const QString &path) const
{
    // Read one byte more than the stamp covers: a file that grew does not match.
    const std::optional<TextFile::Bytes> now = TextFile::readBytes(path, size + 1);
    if (!now)
        return !exists && !QFileInfo(path).isSymLink() && !QFileInfo::exists(path);
    return exists && now->size == size && now->modifiedNs == modifiedNs && digestOf(now->data) == digest;
}

NoteFile NoteFile::read(const QUrl &url)
{
    NoteFile note;
    note.url = url;
    const QString path = url.toLocalFile();
    const std::optional<TextFile::Bytes> bytes = TextFile::readBytes(path, kMaxReadBytes);
    if (!bytes) {
        const QFileInfo info(path); // follows links: the target's date
        note.modifiedAt = info.exists() ? info.lastModified() : QDateTime();
        note.readable = false;
        return note;
    }
    note.modifiedAt = dateOf(bytes->modifiedNs);
    note.size = bytes->size;
    note.stamp = NoteStamp{true, bytes->size, bytes->modifiedNs, digestOf(bytes->data)};
    note.hasBom = TextFile::hasByteOrderMark(bytes->data);
    note.complete = bytes->complete;
    std::optional<QString> text = TextFile::decodeUtf8(bytes->data, bytes->complete);
    if (!text) {
        note.readable = false;
        return note;
    }
    note.content = std::move(*text);
    return note;
}

QByteArray NoteFile::fileBytes(const QString &text) const
{
    return (hasBom ? QByteArray("\xEF\xBB\xBF") : QByteArray()) + text.toUtf8();
}
