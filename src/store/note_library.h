#pragma once

#include "clip_item.h"
#include "note_file.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <optional>

// The notes folder as the notes page sees it: the listed notes, the selected one, the editor's
// text, and the operations that read and write the files. Each field has a setter that stores
// the value and then emits the field's signal. The outcome of an operation is one status line.
class NoteLibrary : public QObject
{
    Q_OBJECT
public:
    // `imagesDirectory`: where the clipboard's pictures are stored; a note made from a picture
    // entry copies its file from there.
    explicit NoteLibrary(const QString &imagesDirectory, QObject *parent = nullptr);

    const QString &directory() const { return m_directory; } // absolute path
    void setDirectory(const QString &path);
    const QList<NoteFile> &notes() const { return m_notes; }
    void setNotes(const QList<NoteFile> &notes);
    const std::optional<NoteFile> &selectedNote() const { return m_selectedNote; }
    void setSelectedNote(const std::optional<NoteFile> &note);
    const QString &noteText() const { return m_noteText; }
    void setNoteText(const QString &text);
    bool isEditingNote() const { return m_isEditingNote; }
    void setIsEditingNote(bool editing);
    const QString &statusText() const { return m_statusText; }
    void setStatusText(const QString &text);
    // The note the notes page should open next (set when a note is made from a clipboard entry).
    std::optional<QUrl> pendingNoteOpenURL() const { return m_pendingNoteOpenURL; }
    void setPendingNoteOpenURL(std::optional<QUrl> url) { m_pendingNoteOpenURL = std::move(url); }

    // Re-reads the folder; the selection stays on the same file if it is still listed, else
    // moves to the newest note.
    void reload(bool createWelcomeIfEmpty = false);
    void select(const NoteFile &note);
    // Writes the editor's text to the selected note; true when the file was written.
    bool save();
    // Saves the selected note when the editor holds a change; false when that failed.
    bool saveEdit();
    // A note from the template, or from a clipboard entry; true when a new file was written.
    bool create();
    bool create(const ClipItem &item);

    // The notes whose name or text contains `query` (trimmed), ignoring case.
    QList<NoteFile> filtered(const QString &query) const;

signals:
    void directoryChanged();
    void notesChanged();
    void selectedNoteChanged();
    void noteTextChanged();
    void isEditingNoteChanged();
    void statusTextChanged();

private:
    template <typename T, typename Signal> void publish(T &field, const T &value, Signal signal)
    {
        field = value;
        emit(this->*signal)();
    }
    void selectCreated(const QUrl &url);

    QString m_imagesDirectory;
    QString m_directory;
    QList<NoteFile> m_notes;
    std::optional<NoteFile> m_selectedNote;
    QString m_noteText;
    bool m_isEditingNote = false;
    QString m_statusText;
    std::optional<QUrl> m_pendingNoteOpenURL;

    // Search index: per entry of m_indexedNotes, its title, one space and its content,
    // lower-cased once instead of on every keystroke. It belongs to `notes` while both share one
    // buffer: the list is only ever replaced whole, and holding the old buffer here keeps a new
    // list from reusing its address.
    mutable QList<NoteFile> m_indexedNotes;
    mutable QList<QString> m_searchTexts;
};
