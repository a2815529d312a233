#pragma once

#include "views/widgets/list_selection.h"

#include <QObject>
#include <QUrl>
#include <optional>

class AppStore;
class NotesView;
class QKeyEvent;

// The notes page's keys, wherever on the page the keyboard is:
//   list     Down / Up choose a card; Enter opens it (the first card when none is chosen);
//            Escape empties the search field, or with nothing to empty asks the panel to go away
//   a note   Enter or Ctrl+E edits; Escape or Alt+Left goes back to the list
//   editor   Ctrl+S saves; Ctrl+E saves and shows the note; Escape or Alt+Left goes back
//   anywhere Ctrl+N makes a new note
// Going back, from the keys as from the back button, saves first. The keyboard follows: the
// search field on the list, the note when it opens, the editor while editing.
class NotesKeyHandler : public QObject
{
    Q_OBJECT
public:
    // Installs itself on the page and on the widgets that would otherwise keep the keys.
    NotesKeyHandler(AppStore &store, NotesView &view);

    std::optional<QUrl> selectedUrl() const { return m_selection.selected(); }

signals:
    void dismissRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleListKey(int key, Qt::KeyboardModifiers modifiers);
    bool handleDetailKey(int key, Qt::KeyboardModifiers modifiers);
    void openTarget();
    void back();
    void createNote();
    void syncKeys();
    void showSelection(bool scroll);

    AppStore &m_store;
    NotesView &m_view;
    ListSelection<QUrl> m_selection;
};
