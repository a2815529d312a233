// Note editing: selecting, saving, creating notes (empty or from a clipboard entry), and the
// search filter of the notes list.
#include "app_store.h"

#include "atomic_file.h"
#include "clip_note_text.h"
#include "note_paths.h"
#include "note_side_state.h"
#include "stored_pictures.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const QString kNewNoteBase = QStringLiteral("新笔记");
const QString kNewNoteContent = QStringLiteral("# 新笔记\n\n开始记录……\n");
const QString kClipNoteFallback = QStringLiteral("剪贴板笔记");
const QString kAttachmentFolder = QStringLiteral("附件");
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// Enough for any number of pictures copied within one second.
constexpr int kMaxAttachmentCounter = 10000;
// A stored picture is a PNG of one screen; far below this.
constexpr qint64 kMaxPictureBytes = qint64(1) << 30;

QString noNameLeft()
{
    return QStringLiteral("没有可用的文件名");
}

} // namespace

void AppStore::selectNote(const NoteFile &note)
{
    setIsEditingNote(false);
    setSelectedNote(note);
    setNoteText(note.content);
    setStatusText(QStringLiteral("已打开"));
}

bool AppStore::saveNote()
{
    if (!m_selectedNote)
        return false;
    const NoteFile note = *m_selectedNote;
    const QString path = note.path();
    QString error;
    // A file that was not read as UTF-8 shows an empty text; writing that back would destroy it.
    if (!note.readable)
        error = QStringLiteral("文件不是有效的 UTF-8 文本");
    else if (NotePaths::isWritableNoteTarget(path, &error)) {
        const QByteArray data = (note.hasBom ? kUtf8Bom : QByteArray()) + m_noteText.toUtf8();
        if (AtomicFile::write(path, data, AtomicFile::Mode::Default, &error))
            error.clear();
        else if (error.isEmpty())
            error = QStringLiteral("写入失败");
    }
    if (!error.isEmpty()) {
        setStatusText(QStringLiteral("保存失败：") + error);
        return false;
    }

    reloadNotes(false);
    const auto same = std::find_if(m_notes.cbegin(), m_notes.cend(),
                                   [&note](const NoteFile &entry) { return entry.url == note.url; });
    setSelectedNote(same != m_notes.cend() ? std::optional<NoteFile>(*same) : std::nullopt);
    setStatusText(QStringLiteral("已保存到文件"));
    setIsEditingNote(false);
    return true;
}

bool AppStore::saveEditedNote()
{
    if (!m_isEditingNote || !m_selectedNote || m_noteText == m_selectedNote->content)
        return true;
    return saveNote();
}

bool AppStore::createNote()
{
    if (!saveEditedNote())
        return false;
    const QString path = NotePaths::uniqueNotePath(m_noteDirectory, kNewNoteBase);
    QString error = noNameLeft();
    if (path.isEmpty() || !AtomicFile::write(path, kNewNoteContent.toUtf8(), AtomicFile::Mode::Default, &error)) {
        setStatusText(QStringLiteral("生成失败：") + error);
        return false;
    }
    reloadNotes(false);
    const QUrl url = QUrl::fromLocalFile(path);
    const auto created =
        std::find_if(m_notes.cbegin(), m_notes.cend(), [&url](const NoteFile &note) { return note.url == url; });
    if (created != m_notes.cend())
        selectNote(*created);
    return true;
}

QString AppStore::noteTitle(const ClipItem &item) const
{
    return ClipNoteText::title(item);
}

QUrl AppStore::uniqueNoteURL(const QString &title) const
{
    const QString base = NotePaths::safeBaseName(title, kClipNoteFallback);
    const QString path = NotePaths::uniqueNotePath(m_noteDirectory, base);
    return path.isEmpty() ? QUrl() : QUrl::fromLocalFile(path);
}

// Copies the entry's stored picture into "附件" and names the copy in *fileName. A file of
// the same name is reused only when it holds the same bytes; a different picture from the
// same second gets "-2", "-3", ... Sets the status and returns false on failure.
bool AppStore::copyPictureToAttachments(const ClipItem &item, QString *fileName)
{
    if (!item.imagePath || !StoredPictures::isStoredPicture(*item.imagePath, imagesDirectory())) {
        setStatusText(QStringLiteral("图片文件不可用"));
        return false;
    }
    const QString failed = QStringLiteral("图片保存失败：");
    QByteArray picture;
    if (!AtomicFile::readRegularFile(*item.imagePath, &picture, kMaxPictureBytes)) {
        setStatusText(failed + QStringLiteral("无法读取图片文件"));
        return false;
    }
    const QString folder = m_noteDirectory + QLatin1Char('/') + kAttachmentFolder;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        setStatusText(failed + QStringLiteral("无法创建文件夹“") + kAttachmentFolder + QStringLiteral("”"));
        return false;
    }
    for (int counter = 1; counter <= kMaxAttachmentCounter; ++counter) {
        const QString name = ClipNoteText::attachmentFileName(item.createdAt, counter);
        const QString path = folder + QLatin1Char('/') + name;
        if (NotePaths::entryExists(path)) {
            QByteArray existing;
            if (AtomicFile::readRegularFile(path, &existing, kMaxPictureBytes) && existing == picture) {
                *fileName = name;
                return true;
            }
            continue;
        }
        QString error;
        if (!AtomicFile::write(path, picture, AtomicFile::Mode::Default, &error)) {
            setStatusText(failed + error);
            return false;
        }
        *fileName = name;
        return true;
    }
    setStatusText(failed + noNameLeft());
    return false;
}

bool AppStore::createNote(const ClipItem &item)
{
    if (!saveEditedNote())
        return false;
    const QString title = noteTitle(item);
    const QUrl url = uniqueNoteURL(title);
    if (url.isEmpty()) {
        setStatusText(QStringLiteral("生成失败：") + noNameLeft());
        return false;
    }
    QString imageFileName;
    if (item.kind == ClipKind::image && !copyPictureToAttachments(item, &imageFileName))
        return false;
    const QString body = ClipNoteText::body(item, title, imageFileName);
    QString error;
    if (!AtomicFile::write(url.toLocalFile(), body.toUtf8(), AtomicFile::Mode::Default, &error)) {
        setStatusText(QStringLiteral("生成失败：") + error);
        return false;
    }
    reloadNotes(false);
    const auto created =
        std::find_if(m_notes.cbegin(), m_notes.cend(), [&url](const NoteFile &note) { return note.url == url; });
    if (created != m_notes.cend())
        selectNote(*created);
    m_pendingNoteOpenURL = url;
    setStatusText(QStringLiteral("已生成笔记"));
    return true;
}

QList<NoteFile> AppStore::filteredNotes() const
{
    const QString query = m_query.trimmed().toLower();
    if (query.isEmpty())
        return m_notes;
    NoteSideState &side = *m_noteSide;
    if (!side.indexes(m_notes)) {
        side.indexedNotes = m_notes;
        side.searchTexts.clear();
        side.searchTexts.reserve(m_notes.size());
        for (const NoteFile &note : m_notes)
            side.searchTexts.append((note.title() + QLatin1Char(' ') + note.content).toLower());
    }
    QList<NoteFile> result;
    for (qsizetype i = 0; i < side.searchTexts.size(); ++i) {
        if (side.searchTexts.at(i).contains(query))
            result.append(side.indexedNotes.at(i));
    }
    return result;
}
