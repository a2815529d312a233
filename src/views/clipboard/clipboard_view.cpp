#include "views/clipboard/clipboard_view.h"

#include "store/app_store.h"
#include "views/clipboard/clip_list_view.h"
#include "views/clipboard/clip_row.h"
#include "views/clipboard/clipboard_empty_state.h"
#include "views/clipboard/clipboard_footer.h"
#include "views/clipboard/clipboard_key_handler.h"
#include "views/hover/clipboard_hover_notifier.h"
#include "views/hover/clipboard_hover_state.h"
#include "views/style/glass_painter.h"
#include "views/widgets/search_field.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStackedWidget>
#include <QVBoxLayout>

ClipboardView::ClipboardView(AppStore &store, QWidget *parent, ClipboardPageStyle style)
    : QWidget(parent)
    , m_store(store)
    , m_style(std::move(style))
    , m_hoverState(new ClipboardHoverState(this))
    , m_search(new SearchField(QStringLiteral("搜索剪贴板"), this))
    , m_stack(new QStackedWidget(this))
    , m_scroll(new QScrollArea(m_stack))
    , m_list(new ClipListView(store, *m_hoverState, nullptr, m_style))
    , m_empty(new ClipboardEmptyState(m_stack))
    , m_footer(new ClipboardFooter(this, m_style))
    , m_keys(new ClipboardKeyHandler(store, this))
    , m_copiedID(store.copiedID())
{
    buildLayout();
    connectStore();
    auto &notifier = ClipboardHoverNotifier::instance();
    connect(&notifier, &ClipboardHoverNotifier::pointerMoved, this,
            [this](const QVariantMap &userInfo) { m_hoverState->update(ClipboardHoverNotifier::itemID(userInfo)); });
    connect(&notifier, &ClipboardHoverNotifier::clearClipboardHover, this,
            [this] { m_hoverState->update(std::nullopt); });
    connect(m_search, &SearchField::pointerEntered, this, [this] { m_hoverState->update(std::nullopt); });
    connect(m_footer, &ClipboardFooter::pointerEntered, this, [this] { m_hoverState->update(std::nullopt); });
    m_keys->watch(this);
    m_keys->watch(m_search->lineEdit());
    connect(m_keys, &ClipboardKeyHandler::selectionChanged, this, &ClipboardView::onSelectionChanged);
    connect(m_hoverState, &ClipboardHoverState::itemIDChanged, this,
            [this](std::optional<QUuid>, std::optional<QUuid> current) {
                if (current)
                    m_keys->clearSelection();
            });
    m_search->setText(store.query());
    m_footer->setFiltering(store.ignoreSensitive());
    m_footer->setSaveFailure(store.saveFailure());
    refreshList();
}

ClipboardView::~ClipboardView() = default;

void ClipboardView::buildLayout()
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto *searchRow = new QHBoxLayout;
    searchRow->setContentsMargins(m_style.paddingX, 0, m_style.paddingX, m_style.searchBottom);
    searchRow->addWidget(m_search);
    layout->addLayout(searchRow);

    m_scroll->setFrameShape(QFrame::NoFrame);
    // The arrow keys choose rows; a click in the list must not take them for scrolling.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(false);
    m_scroll->setWidget(m_list);
    // setWidget turns the content's background fill on: the rows sit on the panel's glass.
    m_list->setAutoFillBackground(false);
    m_scroll->viewport()->setAutoFillBackground(false);
    m_scroll->setAutoFillBackground(false);
    m_scroll->viewport()->installEventFilter(this);
    m_stack->addWidget(m_scroll);
    m_stack->addWidget(m_empty);
    layout->addWidget(m_stack, 1);
    // The divider is painted by paintEvent in this gap.
    layout->addSpacing(1);
    layout->addWidget(m_footer);
}

void ClipboardView::connectStore()
{
    connect(&m_store, &AppStore::clipsChanged, this, &ClipboardView::refreshList);
    connect(&m_store, &AppStore::queryChanged, this, [this] {
        m_keys->clearSelection();
        m_search->setText(m_store.query());
        refreshList();
    });
    connect(&m_store, &AppStore::ignoreSensitiveChanged, this,
            [this] { m_footer->setFiltering(m_store.ignoreSensitive()); });
    connect(&m_store, &AppStore::saveFailureChanged, this, [this] { m_footer->setSaveFailure(m_store.saveFailure()); });
    connect(&m_store, &AppStore::copiedIDChanged, this, &ClipboardView::onCopiedIDChanged);
    connect(m_search, &SearchField::textChanged, this, [this](const QString &text) {
        if (m_store.query() != text)
            m_store.setQuery(text);
    });
    connect(m_footer, &ClipboardFooter::clearRequested, this, [this] { m_store.clearUnpinned(); });
}

void ClipboardView::refreshList()
{
    const QList<ClipItem> items = m_store.filteredClips();
    m_list->setItems(items);
    m_keys->setItems(items);
    m_empty->setSearching(!m_store.query().isEmpty());
    m_stack->setCurrentWidget(items.isEmpty() ? static_cast<QWidget *>(m_empty) : m_scroll);
}

void ClipboardView::onCopiedIDChanged()
{
    const std::optional<QUuid> previous = m_copiedID;
    m_copiedID = m_store.copiedID();
    for (const std::optional<QUuid> &id : {previous, m_copiedID})
        if (id)
            if (ClipRow *row = m_list->row(*id))
                row->refreshActions();
}

void ClipboardView::onSelectionChanged(std::optional<QUuid> id, qsizetype index)
{
    m_list->setSelectedID(id);
    if (!id)
        return;
    m_hoverState->update(std::nullopt);
    m_list->scrollToIndex(index);
}

bool ClipboardView::showsEmptyState() const
{
    return m_stack->currentWidget() == m_empty;
}

void ClipboardView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_list->relayout(m_scroll->viewport()->width());
}

bool ClipboardView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_scroll->viewport() && event->type() == QEvent::Resize)
        m_list->relayout(m_scroll->viewport()->width());
    return QWidget::eventFilter(watched, event);
}

void ClipboardView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const SearchFieldStyle &search = m_search->style();
    GlassPainter::paintShadow(painter, QRectF(m_search->geometry()), search.radius, search.shadow);
    const int y = m_footer->geometry().top() - 1;
    painter.fillRect(QRect(m_style.paddingX, y, width() - 2 * m_style.paddingX, 1), m_style.divider);
}
