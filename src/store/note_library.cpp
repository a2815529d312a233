#include "note_library.h"

#include "atomic_file.h"
#include "clip_note_text.h"
#include "note_attachments.h"
#include "note_folder.h"
#include "note_paths.h"

#include <algorithm>

namespace {

const QString kNewNoteBase = QStringLiteral("新笔记");
const QString kNewNoteContent = QStringLiteral("# 新笔记\n\n开始记录……\n");
const QString kClipNoteFallback = QStringLiteral("剪贴板笔记");
const QByteArray kUtf8Bom("\xEF\xBB\xBF");

QString noNameLeft()
{
    return QStringLiteral("没有可用的文件名");
}

std::optional<NoteFile> findNote(const QList<NoteFile> &notes, const QUrl &url)
{
    const auto found = std::find_if(notes.cbegin(), notes.cend(), [&url](const NoteFile &n) { return n.url == url; });
    return found != notes.cend() ? std::optional<NoteFile>(*found) : std::nullopt;
}

} // namespace

NoteLibrary::NoteLibrary(const QString &imagesDirectory, QObject *parent)
    : QObject(parent)
    , m_imagesDirectory(imagesDirectory)
{
}

// clang-format off
void NoteLibrary::setDirectory(const QString &path) { publish(m_directory, path, &NoteLibrary::directoryChanged); }
void NoteLibrary::setNotes(const QList<NoteFile> &notes) { publish(m_notes, notes, &NoteLibrary::notesChanged); }
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
    setNotes(NoteFolder::load(m_directory, createWelcomeIfEmpty));
    const std::optional<NoteFile> same = m_selectedNote ? findNote(m_notes, m_selectedNote->url) : std::nullopt;
    if (same) {
        select(*same);
    } else if (!m_notes.isEmpty()) {
        select(m_notes.first());
    } else {
        setSelectedNote(std::nullopt);
        setNoteText(QString());
    }
}

void NoteLibrary::select(const NoteFile &note)
{
    setIsEditingNote(false);
    setSelectedNote(note);
    setNoteText(note.content);
    setStatusText(QStringLiteral("已打开"));
}

bool NoteLibrary::save()
{
    if (!m_selectedNote)
        return false;
    const NoteFile note = *m_selectedNote;
    QString error;
    // A file that was not read as UTF-8 shows an empty text; writing that back would destroy it.
    if (!note.readable)
        error = QStringLiteral("文件不是有效的 UTF-8 文本");
    else if (NotePaths::isWritableNoteTarget(note.path(), &error)) {
        const QByteArray data = (note.hasBom ? kUtf8Bom : QByteArray()) + m_noteText.toUtf8();
        if (AtomicFile::write(note.path(), data, AtomicFile::Mode::Default, &error))
            error.clear();
        else if (error.isEmpty())
            error = QStringLiteral("写入失败");
    }
    if (!error.isEmpty()) {
        setStatusText(QStringLiteral("保存失败：") + error);
        return false;
    }
    reload(false);
    setSelectedNote(findNote(m_notes, note.url));
    setStatusText(QStringLiteral("已保存到文件"));
    setIsEditingNote(false);
    return true;
}

bool NoteLibrary::saveEdit()
{
    if (!m_isEditingNote || !m_selectedNote || m_noteText == m_selectedNote->content)
        return true;
    return save();
}

void NoteLibrary::selectCreated(const QUrl &url)
{
    reload(false);
    if (const std::optional<NoteFile> created = findNote(m_notes, url))
        select(*created);
}

bool NoteLibrary::create()
{
    if (!saveEdit())
        return false;
    const QString path = NotePaths::uniqueNotePath(m_directory, kNewNoteBase);
    QString error = noNameLeft();
    if (path.isEmpty() || !AtomicFile::write(path, kNewNoteContent.toUtf8(), AtomicFile::Mode::Default, &error)) {
        setStatusText(QStringLiteral("生成失败：") + error);
        return false;
    }
    selectCreated(QUrl::fromLocalFile(path));
    return true;
}

bool NoteLibrary::create(const ClipItem &item)
{
    if (!saveEdit())
        return false;
    const QString title = ClipNoteText::title(item);
    const QString path = NotePaths::uniqueNotePath(m_directory, NotePaths::safeBaseName(title, kClipNoteFallback));
    if (path.isEmpty()) {
        setStatusText(QStringLiteral("生成失败：") + noNameLeft());
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
    const QUrl url = QUrl::fromLocalFile(path);
    selectCreated(url);
    m_pendingNoteOpenURL = url;
    setStatusText(QStringLiteral("已生成笔记"));
    return true;
}

QList<NoteFile> NoteLibrary::filtered(const QString &query) const
{
    const QString key = query.trimmed().toLower();
    if (key.isEmpty())
        return m_notes;
    if (m_indexedNotes.size() != m_notes.size() || m_indexedNotes.constData() != m_notes.constData()) {
        m_indexedNotes = m_notes;
        m_searchTexts.clear();
        m_searchTexts.reserve(m_notes.size());
        for (const NoteFile &note : m_notes)
            m_searchTexts.append((note.title() + QLatin1Char(' ') + note.content).toLower());
    }
    QList<NoteFile> result;
    for (qsizetype i = 0; i < m_searchTexts.size(); ++i) {
        if (m_searchTexts.at(i).contains(key))
            result.append(m_indexedNotes.at(i));
    }
    return result;
}
