#include "views/notes/note_list_page.h"
#include "views/widgets/plain_label.h"

#include "store/app_store.h"
#include "views/notes/new_note_button.h"
#include "views/notes/note_card_list.h"
#include "views/widgets/card_shadow.h"
#include "views/widgets/icon_label.h"
#include "views/widgets/label_button.h"
#include "views/widgets/padded_divider.h"
#include "views/widgets/search_field.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStackedLayout>
#include <QVBoxLayout>

NoteListPage::NoteListPage(AppStore &store, const NoteListStyle &style, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_style(style)
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeHeader());

    m_search = new SearchField(QStringLiteral("搜索笔记内容"), this);
    auto *searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(m_style.sideMargin, 0, m_style.sideMargin, m_style.searchBottom);
    searchRow->addWidget(m_search);
    column->addLayout(searchRow);
    new CardShadow(m_search, m_search->style().radius, m_search->style().shadow);

    m_content = new QStackedLayout;
    m_cards = new NoteCardList(m_store.pasteboard(), NoteCardStyle::standard(), m_style, this);
    m_content->addWidget(m_cards);
    m_content->addWidget(makeEmptyState());
    column->addLayout(m_content, 1);

    column->addWidget(new PaddedDivider(m_style.divider, m_style.sideMargin, this));
    column->addWidget(makeFooter());

    connect(m_search, &SearchField::textChanged, this, [this](const QString &text) {
        if (text != m_store.query())
            m_store.setQuery(text);
    });
    connect(m_cards, &NoteCardList::noteOpened, this, &NoteListPage::noteOpened);
    connect(m_new, &NewNoteButton::clicked, this, &NoteListPage::newClicked);
    connect(m_supportButton, &LabelButton::clicked, this, &NoteListPage::supportClicked);
    connect(m_folderButton, &LabelButton::clicked, &m_store, &AppStore::chooseNoteDirectory);
    connect(&m_store, &AppStore::notesChanged, this, &NoteListPage::refreshIfVisible);
    connect(&m_store, &AppStore::queryChanged, this, &NoteListPage::refreshIfVisible);
    connect(&m_store, &AppStore::noteDirectoryChanged, this, &NoteListPage::refreshIfVisible);
    refresh();
}

QWidget *NoteListPage::makeHeader()
{
    auto *header = new QWidget(this);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(m_style.headerPadding);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(2);
    titles->addWidget(makePlainLabel(QStringLiteral("全部笔记"), m_style.titleFont, m_style.titleColor, header));
    m_count = makePlainLabel(QString(), m_style.countFont, m_style.countColor, header);
    titles->addWidget(m_count);
    row->addLayout(titles);
    row->addStretch(1);
    m_new = new NewNoteButton(NewButtonStyle::standard(), header);
    row->addWidget(m_new, 0, Qt::AlignTop);
    return header;
}

QWidget *NoteListPage::makeEmptyState()
{
    m_empty = new QWidget(this);
    auto *column = new QVBoxLayout(m_empty);
    column->setSpacing(8);
    column->addStretch(1);
    column->addWidget(new IconLabel(QStringLiteral("note.text"), m_style.emptyIconSize, m_style.emptyIcon, m_empty), 0,
                      Qt::AlignHCenter);
    m_emptyTitle = makePlainLabel(QString(), m_style.emptyTitleFont, m_style.emptyTitle, m_empty);
    m_emptySubtitle = makePlainLabel(QString(), m_style.emptySubtitleFont, m_style.emptySubtitle, m_empty);
    for (QLabel *label : {m_emptyTitle, m_emptySubtitle}) {
        label->setAlignment(Qt::AlignCenter);
        column->addWidget(label);
    }
    column->addStretch(1);
    return m_empty;
}

QWidget *NoteListPage::makeFooter()
{
    auto *footer = new QWidget(this);
    footer->setFixedHeight(m_style.footerHeight);
    auto *row = new QHBoxLayout(footer);
    row->setContentsMargins(m_style.sideMargin, 0, m_style.sideMargin, 0);
    row->setSpacing(m_style.footerSpacing);
    m_folderButton = new LabelButton(m_style.folderButton, QString(), footer);
    m_supportButton = new LabelButton(m_style.supportButton, QStringLiteral("请作者喝杯咖啡"), footer);
    m_supportButton->setToolTip(QStringLiteral("本软件完全免费"));
    row->addWidget(m_folderButton, 0);
    row->addStretch(1);
    row->addWidget(m_supportButton);
    return footer;
}

QString NoteListPage::countText() const
{
    return m_count->text();
}
bool NoteListPage::isShowingEmptyState() const
{
    return m_content->currentWidget() == m_empty;
}
QString NoteListPage::emptyTitleText() const
{
    return m_emptyTitle->text();
}
QString NoteListPage::emptySubtitleText() const
{
    return m_emptySubtitle->text();
}

void NoteListPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_stale)
        refresh();
}

void NoteListPage::refreshIfVisible()
{
    if (isVisible())
        refresh();
    else
        m_stale = true;
}

void NoteListPage::refresh()
{
    m_stale = false;
    m_count->setText(QString::number(m_store.notes().size()) + QStringLiteral(" 个 Markdown 文件"));
    m_folderButton->setText(AppStore::folderLabel(m_store.noteDirectory()));
    m_folderButton->updateGeometry();
    if (m_search->text() != m_store.query())
        m_search->setText(m_store.query());

    const QList<NoteFile> notes = m_store.filteredNotes();
    m_cards->setNotes(notes);
    if (!notes.isEmpty()) {
        m_content->setCurrentWidget(m_cards);
        return;
    }
    // The raw query decides: spaces alone list every note, but over an empty folder they
    // count as a search without matches.
    const bool searching = !m_store.query().isEmpty();
    m_emptyTitle->setText(searching ? QStringLiteral("没有匹配的笔记") : QStringLiteral("还没有笔记"));
    m_emptySubtitle->setText(searching ? QStringLiteral("换个关键词试试")
                                       : QStringLiteral("点击“新建”创建第一个 Markdown 文件"));
    m_content->setCurrentWidget(m_empty);
}
