#include "views/notes/note_card_list.h"

#include "views/notes/note_card.h"

#include <QScrollBar>
#include <algorithm>

namespace {
// Rows materialised beyond each edge of the viewport, so a small scroll shows ready cards.
constexpr int kOverscanRows = 1;
} // namespace

NoteCardList::NoteCardList(Pasteboard *pasteboard, const NoteCardStyle &cardStyle, const NoteListStyle &listStyle,
                           QWidget *parent)
    : QScrollArea(parent)
    , m_pasteboard(pasteboard)
    , m_cardStyle(cardStyle)
    , m_listStyle(listStyle)
{
    setFrameShape(QFrame::NoFrame);
    // The arrow keys choose cards; a click in the list must not take them for scrolling.
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    viewport()->setAutoFillBackground(false);
    m_content = new QWidget;
    setWidget(m_content);
    // setWidget turns the content's background fill on: the cards sit on the panel's glass.
    m_content->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(24);
}

int NoteCardList::cardWidth() const
{
    return std::max(0, viewport()->width() - 2 * m_listStyle.sideMargin);
}

QRect NoteCardList::rowRect(int index) const
{
    if (index < 0 || index + 1 >= m_rowTops.size())
        return {};
    const int top = m_rowTops[index];
    return QRect(m_listStyle.sideMargin, top, cardWidth(), m_rowTops[index + 1] - m_listStyle.cardSpacing - top);
}

void NoteCardList::measureRows()
{
    const int width = cardWidth();
    QHash<QUrl, Measured> measured;
    measured.reserve(m_notes.size());
    m_rowTops.clear();
    m_rowTops.reserve(m_notes.size() + 1);
    int top = 0;
    for (const NoteFile &note : std::as_const(m_notes)) {
        Measured row = m_measured.value(note.url);
        const std::optional<NoteCardSummary> known =
            note.content.isEmpty() && m_summaryOf ? m_summaryOf(note) : std::nullopt;
        const QString &source = known ? known->preview : note.content;
        if (row.width != width || row.source != source) {
            row.source = source;
            row.width = width;
            const NoteCardSummary summary = known ? *known : NoteCardSummary::fromText(note.content, note.title());
            row.height = NoteCard::heightFor(summary, width, m_cardStyle);
        }
        m_rowTops << top;
        top += row.height + m_listStyle.cardSpacing;
        measured.insert(note.url, row);
    }
    m_rowTops << top;
    m_measured = std::move(measured);
}

void NoteCardList::remeasure()
{
    measureRows();
    updateContentSize();
    materialiseVisibleRows();
}

void NoteCardList::setSelectedUrl(const std::optional<QUrl> &url)
{
    m_selectedUrl = url;
    for (auto it = m_cards.cbegin(); it != m_cards.cend(); ++it)
        it.value()->setSelected(it.key() == url);
}

void NoteCardList::scrollToRow(int index)
{
    const QRect row = rowRect(index);
    ensureVisible(row.center().x(), row.center().y(), 0, row.height() / 2 + m_cardStyle.shadowMargin.bottom());
}

void NoteCardList::setNotes(const QList<NoteFile> &notes)
{
    m_notes = notes;
    QHash<QUrl, qsizetype> indexOf;
    indexOf.reserve(notes.size());
    for (qsizetype i = 0; i < notes.size(); ++i)
        indexOf.insert(notes[i].url, i);
    for (auto it = m_cards.begin(); it != m_cards.end();) {
        const auto found = indexOf.constFind(it.key());
        if (found == indexOf.constEnd()) {
            retire(it.value());
            it = m_cards.erase(it);
            continue;
        }
        it.value()->setNote(notes[*found]);
        ++it;
    }
    measureRows();
    updateContentSize();
    materialiseVisibleRows();
}

QList<NoteCard *> NoteCardList::cards() const
{
    QList<NoteCard *> result = m_cards.values();
    std::sort(result.begin(), result.end(), [](NoteCard *a, NoteCard *b) { return a->y() < b->y(); });
    return result;
}

void NoteCardList::updateContentSize()
{
    const int height = m_notes.isEmpty() ? 0 : m_rowTops.last() - m_listStyle.cardSpacing + m_listStyle.bottomMargin;
    m_content->resize(viewport()->width(), height);
}

// A card may be retired from inside its own click handler (opening a note reloads the
// list), so it goes away only once control has returned to the event loop.
void NoteCardList::retire(NoteCard *card)
{
    card->hide();
    card->disconnect(this);
    card->deleteLater();
}

NoteCard *NoteCardList::makeCard(const NoteFile &note)
{
    auto *card = new NoteCard(note, m_pasteboard, m_cardStyle, m_content);
    card->setSelected(note.url == m_selectedUrl);
    connect(card, &NoteCard::opened, this, [this, card] { emit noteOpened(card->note()); });
    return card;
}

void NoteCardList::materialiseVisibleRows()
{
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    const int count = int(m_notes.size());
    // Rows are the spans between consecutive tops: the first row in view is the last one
    // starting at or above the top edge.
    const auto rowAt = [this](int y) {
        return int(std::upper_bound(m_rowTops.cbegin(), m_rowTops.cend(), y) - m_rowTops.cbegin()) - 1;
    };
    const int first = std::max(0, rowAt(top) - kOverscanRows);
    const int last = std::min(count - 1, rowAt(bottom) + kOverscanRows);

    QHash<QUrl, NoteCard *> kept;
    for (int i = first; i <= last; ++i) {
        const NoteFile &note = m_notes[i];
        NoteCard *card = m_cards.take(note.url);
        if (!card)
            card = makeCard(note);
        card->setGeometry(rowRect(i).marginsAdded(m_cardStyle.shadowMargin));
        card->show();
        kept.insert(note.url, card);
    }
    // Rows that scrolled out of view lose their card (and with it hover and copied state).
    for (NoteCard *card : std::as_const(m_cards))
        retire(card);
    m_cards = kept;
}

void NoteCardList::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    measureRows();
    updateContentSize();
    materialiseVisibleRows();
}

void NoteCardList::scrollContentsBy(int dx, int dy)
{
    QScrollArea::scrollContentsBy(dx, dy);
    materialiseVisibleRows();
}
