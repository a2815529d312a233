#pragma once

#include "store/note_file.h"
#include "views/notes/notes_page_style.h"

#include <QWidget>

class AppStore;
class LabelButton;
class NewNoteButton;
class NoteCardList;
class QLabel;
class QStackedLayout;
class SearchField;

// The notes list: header with the count of all notes and the new button, the search field,
// the matching cards or an empty state, and a footer with the folder and the support link.
// It follows the store while visible and catches up when shown again.
class NoteListPage : public QWidget
{
    Q_OBJECT
public:
    NoteListPage(AppStore &store, const NoteListStyle &style, QWidget *parent = nullptr);

    NoteCardList *cardList() const { return m_cards; }
    NewNoteButton *newButton() const { return m_new; }
    SearchField *searchField() const { return m_search; }
    LabelButton *folderButton() const { return m_folderButton; }
    LabelButton *supportButton() const { return m_supportButton; }
    QString countText() const;
    bool isShowingEmptyState() const;
    QString emptyTitleText() const;
    QString emptySubtitleText() const;
    // A line above the footer telling what happened to the note that was open; empty hides it.
    void setNotice(const QString &text);
    QString noticeText() const;

signals:
    void noteOpened(const NoteFile &note);
    void newClicked();
    void supportClicked();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QWidget *makeHeader();
    QWidget *makeEmptyState();
    QWidget *makeFooter();
    void refresh();
    void refreshIfVisible();

    AppStore &m_store;
    NoteListStyle m_style;
    QLabel *m_count = nullptr;
    NewNoteButton *m_new = nullptr;
    SearchField *m_search = nullptr;
    QStackedLayout *m_content = nullptr;
    NoteCardList *m_cards = nullptr;
    QWidget *m_empty = nullptr;
    QLabel *m_emptyTitle = nullptr;
    QLabel *m_emptySubtitle = nullptr;
    LabelButton *m_folderButton = nullptr;
    LabelButton *m_supportButton = nullptr;
    QLabel *m_notice = nullptr;
    bool m_stale = true;
};
