// The note library: listing the notes folder, the welcome note, the selection across
// reloads, and choosing another folder.
#include "app_store.h"

#include "atomic_file.h"
#include "folder_chooser.h"
#include "note_paths.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kWelcomeFileName = QStringLiteral("欢迎使用Quillo.md");
const QString kChooserTitle = QStringLiteral("选择 Markdown 笔记文件夹");
const QString kChooserAccept = QStringLiteral("选择");

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

// The folder's notes in listing order: visible regular files (or links to them) ending in
// ".md" in any case. FIFOs, devices, sockets, folders and dangling links are left out, since
// reading a FIFO blocks forever and a device can be endless. The listing is sorted by name
// so that notes with equal dates always come in the same order.
QList<QUrl> listNoteFiles(const QString &folder)
{
    if (folder.isEmpty())
        return {}; // QDir("") would be the working directory
    const QFileInfoList entries = QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    QList<QUrl> urls;
    for (const QFileInfo &entry : entries) {
        if (isMarkdownName(entry.fileName()) && entry.isFile())
            urls.append(QUrl::fromLocalFile(entry.absoluteFilePath()));
    }
    return urls;
}

// Newest first; an unknown date sorts last; equal dates keep the listing order.
void sortNewestFirst(QList<NoteFile> &notes)
{
    std::stable_sort(notes.begin(), notes.end(), [](const NoteFile &a, const NoteFile &b) {
        if (!a.modifiedAt.isValid() || !b.modifiedAt.isValid())
            return a.modifiedAt.isValid() && !b.modifiedAt.isValid();
        return a.modifiedAt > b.modifiedAt;
    });
}

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

} // namespace

void AppStore::reloadNotes(bool createWelcomeIfNeeded)
{
    QDir().mkpath(m_noteDirectory);
    QList<QUrl> urls = listNoteFiles(m_noteDirectory);
    if (urls.isEmpty() && createWelcomeIfNeeded && !m_noteDirectory.isEmpty()) {
        // Never written over an existing entry of that name (a folder, a FIFO or a link that
        // leads elsewhere), and listed only when it really was written.
        const QString path = m_noteDirectory + QLatin1Char('/') + kWelcomeFileName;
        if (!NotePaths::entryExists(path) && AtomicFile::write(path, welcomeNoteBytes()))
            urls.append(QUrl::fromLocalFile(path));
    }

    QList<NoteFile> notes;
    notes.reserve(urls.size());
    for (const QUrl &url : std::as_const(urls))
        notes.append(NoteFile::read(url));
    sortNewestFirst(notes);
    setNotes(notes);

    const auto same = m_selectedNote
                          ? std::find_if(m_notes.cbegin(), m_notes.cend(),
                                         [this](const NoteFile &note) { return note.url == m_selectedNote->url; })
                          : m_notes.cend();
    if (same != m_notes.cend()) {
        selectNote(*same);
    } else if (!m_notes.isEmpty()) {
        selectNote(m_notes.first());
    } else {
        setSelectedNote(std::nullopt);
        setNoteText(QString());
    }
}

void AppStore::chooseNoteDirectory()
{
    if (!m_folderChooser)
        return;
    const std::optional<QString> chosen = m_folderChooser->chooseFolder(kChooserTitle, kChooserAccept, m_noteDirectory);
    if (!chosen || chosen->isEmpty())
        return;
    // An edit in progress belongs to the old folder: keep it on disk before the list changes,
    // and change nothing if it cannot be kept.
    if (!saveEditedNote())
        return;

    setNoteDirectory(withoutTrailingSlash(QDir::cleanPath(QFileInfo(*chosen).absoluteFilePath())));
    QString error;
    const bool saved = savePreferences(&error);
    reloadNotes(true);
    // The folder is used for this run either way; the status says whether it will be next time.
    setStatusText(saved ? QStringLiteral("存储位置已更新") : QStringLiteral("保存失败：") + error);
}

QString AppStore::folderLabel(const QString &path)
{
    if (path.contains(QLatin1String("Mobile Documents")))
        return QStringLiteral("iCloud Drive / Quillo");
    const QString trimmed = withoutTrailingSlash(path);
    const QString name = QFileInfo(trimmed).fileName();
    return name.isEmpty() ? trimmed : name;
}
