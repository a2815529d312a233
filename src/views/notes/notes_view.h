#pragma once

#include "store/note_file.h"

#include <QString>
#include <QWidget>
#include <functional>
#include <optional>

class AppStore;
class NoteDetailPage;
class NoteListPage;
class NotesKeyHandler;
class QStackedLayout;

// The notes page: the list, or one note viewed or edited. It owns the page's view state
// and keeps the store's isNoteDetailOpen / isEditingNote equal to what is on screen, since
// the panel refuses to collapse while either is set.
//
// Typed text is never dropped silently: leaving the editor (back, the edit button, or leaving
// the page) saves a changed text first. When that save fails, back and the edit button keep
// the editor open with the failure in the status bar (a second back right away gives up the
// text), and leaving the page keeps the text aside and reopens it in the editor when the page
// is shown again. While the page is shown the store follows the notes folder.
class NotesView : public QWidget
{
    Q_OBJECT
public:
    NotesView(AppStore &store, std::function<void()> onSupport, QWidget *parent = nullptr);

    // The root view calls these when the page comes on screen and just before it goes.
    void appear();
    void leave();

    bool isShowingDetail() const { return m_showingDetail; }
    bool isEditing() const { return m_editMode; }
    bool hasKeptDraft() const { return m_draft.has_value(); }

    void openNote(const NoteFile &note);
    void createNote();
    void back();
    void toggleEdit();
    // Writes the editor's text and stays in the editor; the status bar shows how the save
    // went until the next change.
    void save();
    // Gives the keyboard to what the page shows: the list's search field, the note, or the editor.
    void focusContent();

    NoteListPage *listPage() const { return m_list; }
    NoteDetailPage *detailPage() const { return m_detail; }
    NotesKeyHandler *keyHandler() const { return m_keys; }

private:
    struct Draft
    {
        NoteFile note;
        QString text;
        QString status;
    };

    bool needsSave() const;
    bool restoreDraft();
    void openPendingNote();
    void onDirectoryChanged();
    void onSelectedNoteRemoved();
    void syncStoreFlags();
    void showCurrentPage();

    AppStore &m_store;
    std::function<void()> m_onSupport;
    NoteListPage *m_list = nullptr;
    NoteDetailPage *m_detail = nullptr;
    QStackedLayout *m_pages = nullptr;
    NotesKeyHandler *m_keys = nullptr;
    bool m_shown = false;
    bool m_showingDetail = false;
    bool m_editMode = false;
    bool m_backSaveFailed = false; // the last back could not save; the next one discards
    bool m_showFailure = false;    // the editor's status bar shows the last save's outcome
    std::optional<Draft> m_draft;
};
