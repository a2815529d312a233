#include "note_folder.h"

#include "atomic_file.h"
#include "note_paths.h"
#include "store_paths.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>
#include <algorithm>
#include <limits>
#include <optional>

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

std::optional<NoteFile> entryOf(const QFileInfo &info)
{
    if (!isMarkdownName(info.fileName()) || !info.isFile())
        return std::nullopt;
    NoteFile note;
    note.url = QUrl::fromLocalFile(info.absoluteFilePath());
    note.modifiedAt = info.lastModified(); // follows links: the target's date
    note.size = info.size();
    return note;
}

// Reading a FIFO would block for ever and a device can be endless: regular files only.
QList<NoteFile> listNoteFiles(const QString &folder)
{
    if (folder.isEmpty())
        return {}; // QDir("") would be the working directory
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    QList<NoteFile> notes;
    notes.reserve(entries.size());
    for (const QFileInfo &info : entries) {
        if (std::optional<NoteFile> note = entryOf(info))
            notes.append(std::move(*note));
    }
    return notes;
}

// Newest first, an unknown date last, equal dates by name, so the order never depends on the
// listing's. Dates are compared as numbers, computed once per note.
void sortNewestFirst(QList<NoteFile> &notes)
{
    QList<std::pair<qint64, qsizetype>> keys;
    keys.reserve(notes.size());
    for (qsizetype i = 0; i < notes.size(); ++i) {
        const QDateTime &date = notes.at(i).modifiedAt;
        keys.append({date.isValid() ? date.toMSecsSinceEpoch() : std::numeric_limits<qint64>::min(), i});
    }
    std::sort(keys.begin(), keys.end(), [&notes](const auto &a, const auto &b) {
        if (a.first != b.first)
            return a.first > b.first;
        return notes.at(a.second).title() < notes.at(b.second).title();
    });
    QList<NoteFile> sorted;
    sorted.reserve(notes.size());
    for (const auto &key : std::as_const(keys))
        sorted.append(std::move(notes[key.second]));
    notes = std::move(sorted);
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

QList<NoteFile> withEntry(const QList<NoteFile> &notes, const QString &path)
{
    const QUrl url = QUrl::fromLocalFile(path);
    QList<NoteFile> result;
    result.reserve(notes.size() + 1);
    for (const NoteFile &note : notes) {
        if (note.url != url)
            result.append(note);
    }
    const std::optional<NoteFile> entry = entryOf(QFileInfo(path));
    if (!entry)
        return result;
    const auto before = [&entry](const NoteFile &other) {
        if (!entry->modifiedAt.isValid() || !other.modifiedAt.isValid())
            return entry->modifiedAt.isValid() && !other.modifiedAt.isValid();
        return entry->modifiedAt > other.modifiedAt
               || (entry->modifiedAt == other.modifiedAt && entry->title() < other.title());
    };
    result.insert(std::find_if(result.cbegin(), result.cend(), before) - result.cbegin(), *entry);
    return result;
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
