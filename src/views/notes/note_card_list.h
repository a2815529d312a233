#pragma once

#include "markdown/note_card_summary.h"
#include "store/note_file.h"
#include "views/notes/notes_page_style.h"

#include <QHash>
#include <QList>
#include <QScrollArea>
#include <QUrl>
#include <functional>
#include <optional>

class NoteCard;
class Pasteboard;

// The scrolling column of note cards. Cards exist only for the rows in view (plus one on
// either side): a folder of a thousand notes costs a handful of widgets, and only they
// stat and read their files when painted. Each row is as tall as its note's preview needs
// (NoteCard::heightFor over the listed text, or over the summary the lookup knows for a note
// listed without its text), measured once per preview and width; a note not yet read gets the
// smallest card. No scroll bar is shown; the wheel and keys scroll.
class NoteCardList : public QScrollArea
{
    Q_OBJECT
public:
    NoteCardList(Pasteboard *pasteboard, const NoteCardStyle &cardStyle, const NoteListStyle &listStyle,
                 QWidget *parent = nullptr);

    // Cards of notes that stay in the list keep their hover and copied state.
    void setNotes(const QList<NoteFile> &notes);
    const QList<NoteFile> &notes() const { return m_notes; }
    // Summaries of notes listed without their text (read in the background).
    using SummaryLookup = std::function<std::optional<NoteCardSummary>(const NoteFile &)>;
    void setSummaryLookup(SummaryLookup lookup) { m_summaryOf = std::move(lookup); }
    // Sizes the rows again: the lookup knows more summaries.
    void remeasure();

    // The cards that currently exist, top to bottom.
    QList<NoteCard *> cards() const;
    NoteCard *cardFor(const QUrl &url) const { return m_cards.value(url); }
    // The row's rectangle in the content's coordinates (the card, without shadow room).
    QRect rowRect(int index) const;
    // The card of the note chosen with the keyboard, also once it is scrolled into view.
    void setSelectedUrl(const std::optional<QUrl> &url);
    void scrollToRow(int index);

signals:
    void noteOpened(const NoteFile &note);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    struct Measured
    {
        QString source; // the text or preview measured (shared, so comparing is cheap)
        int width = -1;
        int height = 0;
    };

    int cardWidth() const;
    void measureRows();
    void updateContentSize();
    void materialiseVisibleRows();
    NoteCard *makeCard(const NoteFile &note);
    void retire(NoteCard *card);

    Pasteboard *m_pasteboard = nullptr;
    NoteCardStyle m_cardStyle;
    NoteListStyle m_listStyle;
    QWidget *m_content = nullptr;
    QList<NoteFile> m_notes;
    QList<int> m_rowTops; // one more than rows: the last is the end of the last row's spacing
    QHash<QUrl, Measured> m_measured;
    SummaryLookup m_summaryOf;
    QHash<QUrl, NoteCard *> m_cards;
    std::optional<QUrl> m_selectedUrl;
};
