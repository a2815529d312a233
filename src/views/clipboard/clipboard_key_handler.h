#pragma once

#include "store/clip_item.h"
#include "views/widgets/list_selection.h"

#include <QList>
#include <QObject>
#include <QUuid>
#include <optional>

class AppStore;
class QKeyEvent;
class QWidget;

// The clipboard page's keys, wherever on the page the keyboard is (usually the search
// field, so typing always filters):
//   Down / Up     choose a row (the first Down from the search field takes the first row)
//   Enter         copy the chosen row, or the first one when none is chosen
//   Ctrl+P        pin or unpin the chosen row
//   Shift+Delete  delete the chosen row; the row that takes its place is chosen next
//   Ctrl+N        make a note of the chosen row (the row's note action)
//   Escape        empty the search field, or with nothing to empty ask the panel to go away
// The choice is kept by entry over the list as shown (pinned first); it is lost when the
// entry leaves the list.
class ClipboardKeyHandler : public QObject
{
    Q_OBJECT
public:
    explicit ClipboardKeyHandler(AppStore &store, QObject *parent = nullptr);

    // Takes the keys that reach `widget` (itself, or bubbling up from its children).
    void watch(QWidget *widget);
    // The entries as listed, top to bottom.
    void setItems(const QList<ClipItem> &items);
    void clearSelection();
    std::optional<QUuid> selectedID() const { return m_selection.selected(); }
    qsizetype selectedIndex() const { return m_selection.index(); }

signals:
    // `index` is the chosen row's place in the list, -1 for none.
    void selectionChanged(std::optional<QUuid> id, qsizetype index);
    // Enter copied an entry.
    void entryCopied();
    // Escape with nothing left to clear.
    void dismissRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool handleKey(const QKeyEvent &key);
    void deleteSelected();
    std::optional<ClipItem> item(const std::optional<QUuid> &id) const;
    void announce(bool changed);

    AppStore &m_store;
    QList<ClipItem> m_items;
    ListSelection<QUuid> m_selection;
};
