#pragma once

#include "store/clip_item.h"

#include <QPointer>
#include <QWidget>

class AppStore;
class ActionTileButton;
class QMenu;

// What can be done to one history entry: the three tiles a hovered row shows (make a note,
// pin, copy) and the context menu, which adds delete. The actions hold the store weakly and
// the entry by value: any of them may make the page drop the row (delete, or the note action
// switching pages) while it is still running.
class ClipRowActions : public QWidget
{
    Q_OBJECT
public:
    ClipRowActions(AppStore &store, int spacing, QWidget *parent = nullptr);

    // The entry the tiles act on, and the looks that show whether it is pinned and copied.
    void refresh(const ClipItem &item, bool copied);
    // Fades all three tiles (0 invisible … 1 opaque).
    void setOpacity(double opacity);

    ActionTileButton *noteButton() const { return m_noteButton; }
    ActionTileButton *pinButton() const { return m_pinButton; }
    ActionTileButton *copyButton() const { return m_copyButton; }

    // The note action, also Ctrl+N on a row chosen with the keyboard: a note of the entry, then
    // the notes page.
    static void makeNote(QPointer<AppStore> store, const ClipItem &item);
    // The context menu with its four actions; the caller owns it.
    static QMenu *createMenu(QPointer<AppStore> store, const ClipItem &item, QWidget *parent);

private:
    QPointer<AppStore> m_store;
    ClipItem m_item;
    ActionTileButton *m_noteButton;
    ActionTileButton *m_pinButton;
    ActionTileButton *m_copyButton;
};
