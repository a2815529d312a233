#include "note_library.h"

#include "atomic_file.h"
#include "clip_note_text.h"
#include "note_attachments.h"
#include "note_folder.h"
#include "note_folder_watcher.h"
#include "note_paths.h"

#include <QFileInfo>
#include <algorithm>

namespace {

const QString kNewNoteBase = QStringLiteral("新笔记");
const QString kNewNoteContent = QStringLiteral("# 新笔记\n\n开始记录……\n");
const QString kClipNoteFallback = QStringLiteral("剪贴板笔记");
const QString kNoNameLeft = QStringLiteral("没有可用的文件名");

QString openedStatus(const NoteFile &note)
{
    return note.complete ? QStringLiteral("已打开") : QStringLiteral("笔记过大，只显示前 4 MB（只读）");
}

std::optional<NoteFile> findNote(const QList<NoteFile> &notes, const QUrl &url)
{
    const auto found = std::find_if(notes.cbegin(), notes.cend(), [&url](const NoteFile &n) { return n.url == url; });
    return found != notes.cend() ? std::optional<NoteFile>(*found) : std::nullopt;
}

} // namespace

NoteLibrary::NoteLibrary(const QString &imagesDirectory, StoreClock &clock, QObject *parent)
    : QObject(parent)
    , m_imagesDirectory(imagesDirectory)
    , m_search(std::make_unique<NoteSearchIndex>())
    , m_watcher(std::make_unique<NoteFolderWatcher>(clock))
{
    connect(m_search.get(), &NoteSearchIndex::updated, this, &NoteLibrary::searchUpdated);
    connect(m_watcher.get(), &NoteFolderWatcher::changed, this, [this] {
        if (m_following)
            listInBackground();
    });
    m_lister.setMaxThreadCount(1);
}

NoteLibrary::~NoteLibrary()
{
    m_lister.waitForDone(); // a listing still queued for this object is dropped with it
}

// clang-format off
void NoteLibrary::setDirectory(const QString &path)
{
    ++m_listGeneration; // a listing of the old folder must not become this one's list
    publish(m_directory, path, &NoteLibrary::directoryChanged);
}
void NoteLibrary::setNotes(const QList<NoteFile> &notes)
{
    ++m_listGeneration; // a listing asked for earlier is older than this list
    m_search->update(notes);
    publish(m_notes, notes, &NoteLibrary::notesChanged);
}
void NoteLibrary::setSelectedNote(const std::optional<NoteFile> &note)
{
    publish(m_selectedNote, note, &NoteLibrary::selectedNoteChanged);
}
void NoteLibrary::setNoteText(const QString &text) { publish(m_noteText, text, &NoteLibrary::noteTextChanged); }
void NoteLibrary::setIsEditingNote(bool editing)
{
    publish(m_isEditingNote, editing, &NoteLibrary::isEditingNoteChanged);
}
void NoteLibrary::setStatusText(const QString &text) { publish(m_statusText, text, &NoteLibrary::statusTextChanged); }
// clang-format on

void NoteLibrary::reload(bool createWelcomeIfEmpty)
{
    setNotes(NoteFolder::list(m_directory, createWelcomeIfEmpty));
    const std::optional<NoteFile> same = m_selectedNote ? findNote(m_notes, m_selectedNote->url) : std::nullopt;
    if (same)
        select(*same);
    else
        selectNewestOrNothing();
    if (m_following)
        watchFiles();
}

void NoteLibrary::refresh()
{
    if (m_selectedNote)
        select(*m_selectedNote);
    listInBackground();
}

void NoteLibrary::listInBackground()
{
    const int generation = m_listGeneration;
    ++m_listingsInFlight;
    m_lister.start([this, folder = m_directory, generation] {
        const QList<NoteFile> notes = NoteFolder::list(folder, false);
        QMetaObject::invokeMethod(
            this, [this, generation, notes] { applyListing(generation, notes); }, Qt::QueuedConnection);
    });
}

void NoteLibrary::applyListing(int generation, const QList<NoteFile> &notes)
{
    --m_listingsInFlight;
    if (generation != m_listGeneration)
        return;
    if (notes != m_notes) {
        setNotes(notes);
        // Listings come back in the order they were asked for: one asked for after this one,
        // for a later change, is newer still and must not be dropped.
        if (m_listGeneration == generation + 1)
            m_listGeneration = generation;
    }
    followSelection();
    if (m_following)
        watchFiles();
}

void NoteLibrary::selectNewestOrNothing()
{
    if (!m_notes.isEmpty()) {
        select(m_notes.first());
        return;
    }
    setSelectedNote(std::nullopt);
    setNoteText(QString());
}

void NoteLibrary::select(const NoteFile &note)
{
    const NoteFile read = NoteFile::read(note.url);
    setIsEditingNote(false);
    setSelectedNote(read);
    setNoteText(read.content);
    setStatusText(openedStatus(read));
}

bool NoteLibrary::save()
{
    if (!m_selectedNote)
        return false;
    const NoteFile note = *m_selectedNote;
    QString error;
    // A file that was not read as UTF-8 shows an empty text, and one read only in part shows
    // its beginning; writing either back would destroy the file.
    if (note.stamp.exists && !note.readable)
        error = QStringLiteral("文件不是有效的 UTF-8 文本");
    else if (!note.complete)
        error = QStringLiteral("笔记过大，只读");
    else if (!note.stamp.matchesFile(note.path()))
        return saveBeside(note);
    else if (NotePaths::isWritableNoteTarget(note.path(), &error)) {
        if (AtomicFile::write(note.path(), note.fileBytes(m_noteText), AtomicFile::Mode::Default, &error))
            error.clear();
        else if (error.isEmpty())
            error = QStringLiteral("写入失败");
    }
    if (!error.isEmpty()) {
        setStatusText(QStringLiteral("保存失败：") + error);
        return false;
    }
    selectWritten(note.path());
    setStatusText(QStringLiteral("已保存到文件"));
    setIsEditingNote(false);
    return true;
}

// The note's file changed or went away since it was read: both versions are kept, the text
// being edited in a new file next to it, which becomes the selection.
bool NoteLibrary::saveBeside(const NoteFile &note)
{
    const QString path = NotePaths::conflictPath(note.path(), QDateTime::currentDateTime());
    QString error = kNoNameLeft;
    if (path.isEmpty() || !AtomicFile::write(path, note.fileBytes(m_noteText), AtomicFile::Mode::Default, &error)) {
        setStatusText(QStringLiteral("保存失败：") + error);
        return false;
    }
    selectWritten(path);
    setStatusText(QStringLiteral("已另存为：") + QFileInfo(path).fileName());
    setIsEditingNote(false);
    return true;
}

bool NoteLibrary::saveEdit()
{
    if (!m_isEditingNote || !m_selectedNote || m_noteText == m_selectedNote->content)
        return true;
    return save();
}

// A file this library has just written: its entry is updated in the list (the rest of the
// folder is not listed again) and it becomes the selection, read back from disk.
void NoteLibrary::selectWritten(const QString &path)
{
    setNotes(NoteFolder::withEntry(m_notes, path));
    if (const std::optional<NoteFile> written = findNote(m_notes, QUrl::fromLocalFile(path)))
        select(*written);
    if (m_following) {
        watchFiles();
        listInBackground(); // what a listing dropped by the new list would have brought
    }
}

bool NoteLibrary::create()
{
    if (!saveEdit())
        return false;
    const QString path = NotePaths::uniqueNotePath(m_directory, kNewNoteBase);
    QString error = kNoNameLeft;
    if (path.isEmpty() || !AtomicFile::write(path, kNewNoteContent.toUtf8(), AtomicFile::Mode::Default, &error)) {
        setStatusText(QStringLiteral("生成失败：") + error);
        return false;
    }
    selectWritten(path);
    return true;
}

bool NoteLibrary::create(const ClipItem &item)
{
    if (!saveEdit())
        return false;
    const QString title = ClipNoteText::title(item);
    const QString path = NotePaths::uniqueNotePath(m_directory, NotePaths::safeBaseName(title, kClipNoteFallback));
    if (path.isEmpty()) {
        setStatusText(QStringLiteral("生成失败：") + kNoNameLeft);
        return false;
    }
    QString imageFileName;
    QString status;
    if (item.kind == ClipKind::image
        && !NoteAttachments::copyPicture(item, m_imagesDirectory, m_directory, &imageFileName, &status)) {
        setStatusText(status);
        return false;
    }
    QString error;
    if (!AtomicFile::write(path, ClipNoteText::body(item, title, imageFileName).toUtf8(), AtomicFile::Mode::Default,
                           &error)) {
        setStatusText(QStringLiteral("生成失败：") + error);
        return false;
    }
    selectWritten(path);
    m_pendingNoteOpenURL = QUrl::fromLocalFile(path);
    setStatusText(QStringLiteral("已生成笔记"));
    return true;
}

void NoteLibrary::setFollowing(bool following)
{
    if (m_following == following)
        return;
    m_following = following;
    if (following)
        watchFiles();
    else
        m_watcher->stop();
}

void NoteLibrary::watchFiles()
{
    QStringList files;
    if (m_selectedNote)
        files.append(m_selectedNote->path());
    for (qsizetype i = 0; i < m_notes.size() && files.size() < NoteFolderWatcher::kMaxFiles; ++i)
        files.append(m_notes.at(i).path());
    m_watcher->watch(m_directory, files);
}

// The editor's text is the user's: while editing nothing replaces it, and a save notices the
// change. Otherwise the selected note shows its file as it is now.
void NoteLibrary::followSelection()
{
    if (m_isEditingNote)
        return;
    if (!m_selectedNote) {
        if (!m_notes.isEmpty())
            select(m_notes.first());
        return;
    }
    if (!findNote(m_notes, m_selectedNote->url)) {
        const QString name = m_selectedNote->title();
        selectNewestOrNothing();
        setStatusText(QStringLiteral("笔记文件已被删除：") + name);
        emit selectedNoteRemoved();
        return;
    }
    const NoteFile read = NoteFile::read(m_selectedNote->url);
    if (read == *m_selectedNote)
        return;
    setSelectedNote(read);
    setNoteText(read.content);
}
