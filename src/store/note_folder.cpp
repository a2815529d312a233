#include "note_folder.h"

#include "atomic_file.h"
#include "note_paths.h"
#include "store_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>

namespace NoteFolder {

namespace {

const QString kWelcomeFileName = QStringLiteral("欢迎使用Quillo.md");

QByteArray welcomeNoteBytes()
{
    return QStringLiteral("# 欢迎使用Quillo\n\n把常用文字放在手边，随时复制。\n\n"
                          "- 支持 Markdown 文件\n- 可选择 iCloud Drive 文件夹\n")
        .toUtf8();
}

bool isMarkdownName(const QString &fileName)
{
    return !fileName.startsWith(QLatin1Char('.')) && fileName.endsWith(QLatin1String(".md"), Qt::CaseInsensitive);
}

// Reading a FIFO would block for ever and a device can be endless: regular files only. The
// listing is sorted by name so that notes with equal dates always come in the same order.
QList<NoteFile> listNoteFiles(const QString &folder)
{
    if (folder.isEmpty())
        return {}; // QDir("") would be the working directory
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    QList<NoteFile> notes;
    notes.reserve(entries.size());
    for (const QFileInfo &entry : entries) {
        if (!isMarkdownName(entry.fileName()) || !entry.isFile())
            continue;
        NoteFile note;
        note.url = QUrl::fromLocalFile(entry.absoluteFilePath());
        note.modifiedAt = entry.lastModified(); // follows links: the target's date
        note.size = entry.size();
        notes.append(std::move(note));
    }
    return notes;
}

void sortNewestFirst(QList<NoteFile> &notes)
{
    std::stable_sort(notes.begin(), notes.end(), [](const NoteFile &a, const NoteFile &b) {
        if (!a.modifiedAt.isValid() || !b.modifiedAt.isValid())
            return a.modifiedAt.isValid() && !b.modifiedAt.isValid();
        return a.modifiedAt > b.modifiedAt;
    });
}

} // namespace

QList<NoteFile> list(const QString &folder, bool createWelcomeIfEmpty)
{
    QDir().mkpath(folder);
    QList<NoteFile> notes = listNoteFiles(folder);
    if (notes.isEmpty() && createWelcomeIfEmpty && !folder.isEmpty()) {
        // Listed only when it really was written.
        const QString path = folder + QLatin1Char('/') + kWelcomeFileName;
        if (!NotePaths::entryExists(path) && AtomicFile::write(path, welcomeNoteBytes()))
            notes = listNoteFiles(folder);
    }
    sortNewestFirst(notes);
    return notes;
}

QString label(const QString &path)
{
    if (path.contains(QLatin1String("Mobile Documents")))
        return QStringLiteral("iCloud Drive / Quillo");
    const QString trimmed = StorePaths::withoutTrailingSlash(path);
    const QString name = QFileInfo(trimmed).fileName();
    return name.isEmpty() ? trimmed : name;
}

} // namespace NoteFolder
