#include "note_file.h"

#include "atomic_file.h"

#include <QFileInfo>
#include <QStringDecoder>

NoteFile NoteFile::read(const QUrl &url)
{
    NoteFile note;
    note.url = url;
    const QString path = url.toLocalFile();
    const QFileInfo info(path);
    note.modifiedAt = info.exists() ? info.lastModified() : QDateTime();
    QByteArray data;
    if (!AtomicFile::readRegularFile(path, &data)) {
        note.readable = false;
        return note;
    }
    note.hasBom = data.startsWith("\xEF\xBB\xBF");
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(data.mid(note.hasBom ? 3 : 0));
    if (decoder.hasError()) {
        note.readable = false;
        return note;
    }
    note.content = text;
    return note;
}
