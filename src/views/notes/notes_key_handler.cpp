#include "views/notes/notes_key_handler.h"

#include "store/app_store.h"
#include "views/notes/note_card_list.h"
#include "views/notes/note_detail_page.h"
#include "views/notes/note_editor.h"
#include "views/notes/note_list_page.h"
#include "views/notes/notes_view.h"
#include "views/notes/selectable_note_view.h"
#include "views/widgets/search_field.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

NotesKeyHandler::NotesKeyHandler(AppStore &store, NotesView &view)
    : QObject(&view)
    , m_store(store)
    , m_view(view)
{
    for (QWidget *widget :
         {static_cast<QWidget *>(&view), static_cast<QWidget *>(view.listPage()->searchField()->lineEdit()),
          static_cast<QWidget *>(view.detailPage()->noteView()),
          static_cast<QWidget *>(view.detailPage()->editor()->textEdit())})
        widget->installEventFilter(this);
    connect(&m_store, &AppStore::queryChanged, this, [this] {
        if (m_selection.clear())
            showSelection(false);
    });
}

bool NotesKeyHandler::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (key->key() == Qt::Key_N && modifiers == Qt::ControlModifier) {
        createNote();
        return true;
    }
    return m_view.isShowingDetail() ? handleDetailKey(key->key(), modifiers) : handleListKey(key->key(), modifiers);
}

bool NotesKeyHandler::handleListKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers != Qt::NoModifier)
        return false;
    switch (key) {
    case Qt::Key_Down:
    case Qt::Key_Up:
        syncKeys();
        if (key == Qt::Key_Down ? m_selection.moveDown() : m_selection.moveUp())
            showSelection(true);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: openTarget(); return true;
    case Qt::Key_Escape:
        if (!m_store.query().isEmpty())
            m_store.setQuery(QString());
        else
            emit dismissRequested();
        return true;
    default: return false;
    }
}

bool NotesKeyHandler::handleDetailKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool editing = m_view.isEditing();
    if ((key == Qt::Key_Escape && modifiers == Qt::NoModifier)
        || (key == Qt::Key_Left && modifiers == Qt::AltModifier)) {
        back();
        return true;
    }
    const bool enter = (key == Qt::Key_Return || key == Qt::Key_Enter) && modifiers == Qt::NoModifier;
    if ((enter && !editing) || (key == Qt::Key_E && modifiers == Qt::ControlModifier)) {
        m_view.toggleEdit();
        m_view.focusContent();
        return true;
    }
    if (key == Qt::Key_S && modifiers == Qt::ControlModifier) {
        m_view.save();
        return true;
    }
    return false;
}

void NotesKeyHandler::openTarget()
{
    syncKeys();
    const std::optional<QUrl> target = m_selection.target();
    for (const NoteFile &note : m_view.listPage()->cardList()->notes()) {
        if (note.url == target) {
            m_view.openNote(note);
            m_view.focusContent();
            return;
        }
    }
}

void NotesKeyHandler::back()
{
    m_view.back();
    if (m_view.isShowingDetail())
        return; // the save failed: the editor stays, showing why
    m_view.focusContent();
    syncKeys();
    showSelection(true);
}

void NotesKeyHandler::createNote()
{
    if (m_view.isShowingDetail())
        back();
    if (m_view.isShowingDetail())
        return;
    m_view.createNote();
    m_view.focusContent();
}

void NotesKeyHandler::syncKeys()
{
    QList<QUrl> urls;
    for (const NoteFile &note : m_view.listPage()->cardList()->notes())
        urls << note.url;
    m_selection.setKeys(std::move(urls));
}

void NotesKeyHandler::showSelection(bool scroll)
{
    NoteCardList *cards = m_view.listPage()->cardList();
    cards->setSelectedUrl(m_selection.selected());
    if (scroll && m_selection.index() >= 0)
        cards->scrollToRow(int(m_selection.index()));
}
