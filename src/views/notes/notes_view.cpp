#include "views/notes/notes_view.h"

#include "store/app_store.h"
#include "views/notes/note_detail_page.h"
#include "views/notes/note_editor.h"
#include "views/notes/note_list_page.h"
#include "views/notes/notes_key_handler.h"
#include "views/notes/selectable_note_view.h"
#include "views/widgets/search_field.h"

#include <QLineEdit>

#include <QStackedLayout>
#include <algorithm>

NotesView::NotesView(AppStore &store, std::function<void()> onSupport, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_onSupport(std::move(onSupport))
{
    m_pages = new QStackedLayout(this);
    m_pages->setContentsMargins(0, 0, 0, 0);
    m_list = new NoteListPage(m_store, NoteListStyle::standard(), this);
    m_detail = new NoteDetailPage(m_store, NoteDetailStyle::standard(), this);
    m_pages->addWidget(m_list);
    m_pages->addWidget(m_detail);

    connect(m_list, &NoteListPage::noteOpened, this, &NotesView::openNote);
    connect(m_list, &NoteListPage::newClicked, this, &NotesView::createNote);
    connect(m_list, &NoteListPage::supportClicked, this, [this] {
        if (m_onSupport)
            m_onSupport();
    });
    connect(m_detail, &NoteDetailPage::backClicked, this, &NotesView::back);
    connect(m_detail, &NoteDetailPage::editClicked, this, &NotesView::toggleEdit);
    connect(m_detail, &NoteDetailPage::textEdited, this, [this] {
        m_backSaveFailed = false;
        if (m_showFailure) {
            m_showFailure = false;
            showCurrentPage();
        }
    });
    connect(&m_store, &AppStore::noteDirectoryChanged, this, &NotesView::onDirectoryChanged);
    connect(&m_store, &AppStore::selectedNoteRemoved, this, &NotesView::onSelectedNoteRemoved);
    m_keys = new NotesKeyHandler(m_store, *this);
}

void NotesView::appear()
{
    m_shown = true;
    m_showingDetail = false;
    m_editMode = false;
    m_backSaveFailed = false;
    m_showFailure = false;
    m_store.setIsEditingNote(false);
    m_store.setIsNoteDetailOpen(false);
    m_store.setQuery(QString());
    m_store.refreshNotes();
    if (!restoreDraft())
        openPendingNote();
    m_store.setNotesFollowed(true);
    m_list->setNotice(QString());
    syncStoreFlags();
    showCurrentPage();
}

void NotesView::leave()
{
    if (m_shown && m_showingDetail && needsSave() && !m_store.saveNote()) {
        // The store still holds the text, but anything that selects or reloads before the
        // page comes back (a note made from a clip, say) replaces it; keep a copy.
        m_draft = Draft{*m_store.selectedNote(), m_store.noteText(), m_store.statusText()};
    }
    m_store.setNotesFollowed(false);
    m_shown = false;
    m_showingDetail = false;
    m_editMode = false;
    syncStoreFlags();
}

// Only a text that differs from the file as last read is written: an unchanged note keeps its
// date and place in the list, and one deleted elsewhere is not written back.
bool NotesView::needsSave() const
{
    const std::optional<NoteFile> &selected = m_store.selectedNote();
    return selected && m_store.noteText() != selected->content;
}

bool NotesView::restoreDraft()
{
    if (!m_draft)
        return false;
    const Draft draft = *std::exchange(m_draft, std::nullopt);
    // The note as it was read before the edit, not as it is now: if another program changed
    // or removed it meanwhile, the next save keeps both versions.
    m_store.setSelectedNote(draft.note);
    m_store.setNoteText(draft.text);
    m_store.setStatusText(draft.status);
    m_showingDetail = true;
    m_editMode = true;
    m_showFailure = true;
    return true;
}

void NotesView::openPendingNote()
{
    const std::optional<QUrl> pending = m_store.pendingNoteOpenURL();
    if (!pending)
        return;
    const QList<NoteFile> &notes = m_store.notes();
    const auto match =
        std::find_if(notes.cbegin(), notes.cend(), [&pending](const NoteFile &note) { return note.url == *pending; });
    if (match == notes.cend())
        return;
    m_store.setPendingNoteOpenURL(std::nullopt);
    m_store.selectNote(*match);
    m_showingDetail = true;
}

void NotesView::openNote(const NoteFile &note)
{
    m_list->setNotice(QString());
    m_store.selectNote(note);
    m_showingDetail = true;
    m_editMode = false;
    m_showFailure = false;
    syncStoreFlags();
    showCurrentPage();
}

void NotesView::createNote()
{
    m_list->setNotice(QString());
    // A note that could not be written is not opened: the editor would show whatever note
    // the reload left selected, and saving would overwrite that one.
    if (!m_store.createNote()) {
        syncStoreFlags();
        return;
    }
    m_showingDetail = true;
    m_editMode = true;
    m_showFailure = false;
    syncStoreFlags();
    showCurrentPage();
}

void NotesView::back()
{
    if (needsSave() && !m_backSaveFailed) {
        if (!m_store.saveNote()) {
            m_backSaveFailed = true;
            m_showFailure = true;
            syncStoreFlags();
            showCurrentPage();
            return;
        }
    }
    m_backSaveFailed = false;
    m_showFailure = false;
    m_editMode = false;
    m_showingDetail = false;
    syncStoreFlags();
    m_store.refreshNotes();
    showCurrentPage();
}

// Leaving the editor saves a changed text; when that fails the editor stays, with the text
// and the failure. A note shown only in part cannot be edited.
void NotesView::toggleEdit()
{
    if (m_editMode && needsSave() && !m_store.saveNote()) {
        m_showFailure = true;
        syncStoreFlags();
        showCurrentPage();
        return;
    }
    const std::optional<NoteFile> &selected = m_store.selectedNote();
    if (!m_editMode && selected && !selected->complete)
        return;
    m_editMode = !m_editMode;
    m_backSaveFailed = false;
    m_showFailure = false;
    syncStoreFlags();
    showCurrentPage();
}

void NotesView::save()
{
    if (!m_showingDetail || !m_editMode)
        return;
    m_store.saveNote();
    m_backSaveFailed = false;
    m_showFailure = true; // the store's status: saved, or why not
    syncStoreFlags();     // a save ends the store's editing flag; the editor stays open here
    showCurrentPage();
}

void NotesView::focusContent()
{
    QWidget *target = m_list->searchField()->lineEdit();
    if (m_showingDetail)
        target = m_editMode ? static_cast<QWidget *>(m_detail->editor()) : m_detail->noteView();
    target->setFocus(Qt::OtherFocusReason);
}

// A folder chosen elsewhere (the settings card) replaces the library under an open note;
// the store has already saved any edit, so the page returns to the list of the new folder.
void NotesView::onDirectoryChanged()
{
    if (!m_showingDetail)
        return;
    m_showingDetail = false;
    m_editMode = false;
    m_backSaveFailed = false;
    m_showFailure = false;
    syncStoreFlags();
    showCurrentPage();
}

// Another program removed the note on screen: back to the list, which says so. An edit in
// progress is not interrupted (the store keeps it, and its save goes beside the old name).
void NotesView::onSelectedNoteRemoved()
{
    if (!m_showingDetail || m_editMode)
        return;
    m_showingDetail = false;
    m_backSaveFailed = false;
    m_showFailure = false;
    m_list->setNotice(m_store.statusText());
    syncStoreFlags();
    showCurrentPage();
}

void NotesView::syncStoreFlags()
{
    const bool detail = m_shown && m_showingDetail;
    const bool editing = detail && m_editMode;
    if (m_store.isNoteDetailOpen() != detail)
        m_store.setIsNoteDetailOpen(detail);
    if (m_store.isEditingNote() != editing)
        m_store.setIsEditingNote(editing);
}

void NotesView::showCurrentPage()
{
    m_detail->setEditing(m_showingDetail && m_editMode, m_showFailure);
    m_pages->setCurrentWidget(m_showingDetail ? static_cast<QWidget *>(m_detail) : m_list);
}
