#include "views/clipboard/clip_list_view.h"

#include "views/clipboard/clip_row.h"
#include "views/style/glass_painter.h"

#include <QPaintEvent>
#include <QPainter>

ClipListView::ClipListView(AppStore &store, ClipboardHoverState &hoverState, QWidget *parent, ClipboardPageStyle style)
    : QWidget(parent)
    , m_store(store)
    , m_hoverState(hoverState)
    , m_style(std::move(style))
{
}

bool ClipListView::setItems(const QList<ClipItem> &items)
{
    bool same = items.size() == m_rows.size();
    for (qsizetype i = 0; same && i < items.size(); ++i)
        same = m_rows[i]->item() == items[i];
    if (same)
        return false;

    QHash<QUuid, ClipRow *> remaining = m_byId;
    QList<ClipRow *> rows;
    rows.reserve(items.size());
    for (const ClipItem &item : items) {
        ClipRow *row = remaining.take(item.id);
        if (row) {
            if (!(row->item() == item))
                row->setItem(item);
        } else {
            row = new ClipRow(m_store, item, m_hoverState, this);
            connect(row, &ClipRow::hoverChanged, this, [this, row] { onRowHoverChanged(row); });
            ++m_rowsCreated;
            row->setSelected(item.id == m_selectedID);
            row->show();
        }
        rows << row;
    }
    // A row may be running one of its own actions right now (delete), so it goes later.
    for (ClipRow *gone : std::as_const(remaining)) {
        gone->hide();
        gone->deleteLater();
    }
    m_rows = rows;
    m_byId.clear();
    for (ClipRow *row : std::as_const(m_rows))
        m_byId.insert(row->item().id, row);
    relayout(width());
    update();
    return true;
}

void ClipListView::setSelectedID(std::optional<QUuid> id)
{
    if (m_selectedID == id)
        return;
    for (const std::optional<QUuid> &each : {m_selectedID, id})
        if (ClipRow *row = each ? m_byId.value(*each) : nullptr)
            row->setSelected(each == id);
    m_selectedID = id;
}

QRect ClipListView::rowRect(qsizetype index) const
{
    return index >= 0 && index < m_rows.size() ? m_rows[index]->geometry() : QRect();
}

void ClipListView::relayout(int width)
{
    const int rowWidth = std::max(1, width - 2 * m_style.paddingX);
    int y = 0;
    for (ClipRow *row : std::as_const(m_rows)) {
        const int height = row->heightForWidth(rowWidth);
        row->setGeometry(m_style.paddingX, y, rowWidth, height);
        y += height + m_style.listSpacing;
    }
    if (!m_rows.isEmpty())
        y -= m_style.listSpacing;
    const QSize size(width, y + m_style.listBottom);
    setMinimumHeight(size.height());
    if (this->size() != size)
        resize(size);
}

QRect ClipListView::shadowBounds(const ClipRow *row) const
{
    const int m = m_style.shadowMargin;
    return row->geometry().adjusted(-m, -m, m, m);
}

void ClipListView::onRowHoverChanged(ClipRow *row)
{
    // The shadow around the row changed; neighbours' cards are left out so that only the
    // rows whose hover changed repaint.
    QRegion region(shadowBounds(row));
    const qsizetype index = m_rows.indexOf(row);
    for (qsizetype i : {index - 1, index + 1})
        if (i >= 0 && i < m_rows.size())
            region -= m_rows[i]->geometry();
    update(region);
}

void ClipListView::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect dirty = event->rect();
    for (const ClipRow *row : std::as_const(m_rows)) {
        if (!shadowBounds(row).intersects(dirty))
            continue;
        GlassPainter::paintShadow(painter, QRectF(row->geometry()), row->style().radius, row->shadow());
    }
}
