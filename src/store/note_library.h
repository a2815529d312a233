#pragma once

#include "clip_item.h"
#include "note_file.h"
#include "note_search_index.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QUrl>
#include <memory>
#include <optional>

class NoteFolderWatcher;
class StoreClock;

// The notes folder as the notes page sees it: the listed notes, the selected one, the editor's
// text, and the operations that read and write the files. Each field has a setter that stores
// the value and then emits the field's signal. The outcome of an operation is one status line.
//
// The folder is shared with other programs (editors, sync tools). A save never replaces a file
// that changed since it was read: the text goes to a new file beside it. While followed (the
// notes page is shown), changes made elsewhere are picked up within a second.
class NoteLibrary : public QObject
{
    Q_OBJECT
public:
    // `imagesDirectory`: where the clipboard's pictures are stored; a note made from a picture
    // entry copies its file from there. `clock` times the folder watch's coalescing.
    NoteLibrary(const QString &imagesDirectory, StoreClock &clock, QObject *parent = nullptr);
    ~NoteLibrary() override;

    const QString &directory() const { return m_directory; } // absolute path
    void setDirectory(const QString &path);
    // The folder's notes, newest first: names, dates and sizes; their texts are not held here.
    const QList<NoteFile> &notes() const { return m_notes; }
    void setNotes(const QList<NoteFile> &notes);
    // The selected note as last read from disk (text and stamp included).
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
    // The same without blocking: the selected note is read again now, the folder is listed on a
    // worker thread and the list (and, if its file went away, the selection) follows.
    void refresh();
    // A background listing has been asked for and not used (or dropped) yet.
    bool isListing() const { return m_listingsInFlight > 0; }
    // Reads the note's file and makes it the selection.
    void select(const NoteFile &note);
    // Writes the editor's text to the selected note; true when the text was written, to the
    // note or, when the file changed elsewhere, to a new file beside it.
    bool save();
    // Saves the selected note when the editor holds a change; false when that failed.
    bool saveEdit();
    // A note from the template, or from a clipboard entry; true when a new file was written.
    bool create();
    bool create(const ClipItem &item);

    // The notes whose name or text contains `query` (trimmed), ignoring case.
    QList<NoteFile> filtered(const QString &query) const { return m_search->filter(m_notes, query); }
    // Every listed note's text has been read for the search.
    bool isSearchComplete() const { return m_search->isComplete(); }
    // The listed note's card summary, once the search has read it (see searchUpdated).
    std::optional<NoteCardSummary> cardSummary(const NoteFile &note) const { return m_search->summaryOf(note); }

    // While following, changes other programs make to the folder are picked up (see
    // selectedNoteRemoved); otherwise nothing is watched or read.
    void setFollowing(bool following);
    bool isFollowing() const { return m_following; }

signals:
    void directoryChanged();
    void notesChanged();
    void selectedNoteChanged();
    void noteTextChanged();
    void isEditingNoteChanged();
    void statusTextChanged();
    // More notes' texts are known to the search: a search may find more now.
    void searchUpdated();
    // While following, the selected note's file disappeared; the status line says so, and the
    // selection has moved on. Not sent while editing: the text is kept and saved beside it.
    void selectedNoteRemoved();

private:
    template <typename T, typename Signal> void publish(T &field, const T &value, Signal signal)
    {
        field = value;
        emit(this->*signal)();
    }
    void selectNewestOrNothing();
    bool saveBeside(const NoteFile &note);
    void selectWritten(const QString &path);
    void listInBackground();
    void applyListing(int generation, const QList<NoteFile> &notes);
    void followSelection();
    void watchFiles();

    QString m_imagesDirectory;
    QString m_directory;
    QList<NoteFile> m_notes;
    std::optional<NoteFile> m_selectedNote;
    QString m_noteText;
    bool m_isEditingNote = false;
    QString m_statusText;
    std::optional<QUrl> m_pendingNoteOpenURL;
    bool m_following = false;
    std::unique_ptr<NoteSearchIndex> m_search;
    std::unique_ptr<NoteFolderWatcher> m_watcher;
    // Folder listings made in the background; a result is used only if no list was published
    // after it was asked for.
    QThreadPool m_lister;
    int m_listGeneration = 0;
    int m_listingsInFlight = 0;
};
