#include "views/clipboard/clip_list_view.h"

#include "views/clipboard/clip_row.h"
#include "views/style/glass_painter.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>

ClipListView::ClipListView(AppStore &store, ClipboardHoverState &hoverState, QWidget *parent, ClipboardPageStyle style)
    : QWidget(parent)
    , m_store(store)
    , m_hoverState(hoverState)
    , m_style(std::move(style))
{
}

bool ClipListView::setItems(const QList<ClipItem> &items)
{
    if (items == m_items)
        return false;
    m_items = items;
    // Rows of entries that left go later: a row may be running one of its own actions (delete).
    QHash<QUuid, ClipRow *> kept;
    for (const ClipItem &item : std::as_const(m_items)) {
        if (ClipRow *row = m_byId.take(item.id)) {
            if (!(row->item() == item))
                row->setItem(item);
            kept.insert(item.id, row);
        }
    }
    for (ClipRow *gone : std::as_const(m_byId)) {
        gone->hide();
        gone->deleteLater();
    }
    m_byId = kept;
    QHash<QUuid, Measured> measured;
    for (const ClipItem &item : std::as_const(m_items)) {
        if (const auto found = m_measured.constFind(item.id); found != m_measured.cend())
            measured.insert(item.id, *found);
    }
    m_measured = measured;
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

int ClipListView::heightOf(const ClipItem &item, int rowWidth)
{
    Measured &measured = m_measured[item.id];
    const bool same = measured.width == rowWidth && measured.item.kind == item.kind && measured.item.title == item.title
                      && measured.item.content == item.content;
    if (!same) {
        measured = Measured{item, rowWidth, ClipRow::heightFor(item, rowWidth, m_rowStyle)};
    }
    return measured.height;
}

void ClipListView::relayout(int width)
{
    const int rowWidth = std::max(1, width - 2 * m_style.paddingX);
    m_geometries.clear();
    m_geometries.reserve(m_items.size());
    int y = 0;
    for (const ClipItem &item : std::as_const(m_items)) {
        const int height = heightOf(item, rowWidth);
        m_geometries << QRect(m_style.paddingX, y, rowWidth, height);
        y += height + m_style.listSpacing;
    }
    if (!m_items.isEmpty())
        y -= m_style.listSpacing;
    const QSize size(width, y + m_style.listBottom);
    setMinimumHeight(size.height());
    if (this->size() != size)
        resize(size);
    updateRows();
}

QScrollArea *ClipListView::scrollArea() const
{
    QWidget *viewport = parentWidget();
    return viewport ? qobject_cast<QScrollArea *>(viewport->parentWidget()) : nullptr;
}

QRect ClipListView::neighbourhood() const
{
    const QScrollArea *area = scrollArea();
    if (!area)
        return rect();
    const QSize viewport = area->viewport()->size();
    const int margin = std::max(viewport.height(), 400);
    return QRect(0, -y() - margin, width(), viewport.height() + 2 * margin);
}

void ClipListView::updateRows()
{
    const QRect near = neighbourhood();
    QList<ClipRow *> rows;
    for (qsizetype i = 0; i < m_items.size(); ++i) {
        const ClipItem &item = m_items[i];
        ClipRow *row = m_byId.value(item.id);
        if (!m_geometries[i].intersects(near)) {
            if (row) {
                m_byId.remove(item.id);
                row->deleteLater();
                row->hide();
            }
            continue;
        }
        if (!row)
            row = makeRow(item);
        row->setGeometry(m_geometries[i]);
        rows << row;
    }
    m_rows = rows;
}

ClipRow *ClipListView::makeRow(const ClipItem &item)
{
    auto *row = new ClipRow(m_store, item, m_hoverState, this, m_rowStyle);
    connect(row, &ClipRow::hoverChanged, this, [this, row] { onRowHoverChanged(row); });
    ++m_rowsCreated;
    m_byId.insert(item.id, row);
    row->setSelected(item.id == m_selectedID);
    row->show();
    return row;
}

ClipRow *ClipListView::rowAt(qsizetype index) const
{
    return index >= 0 && index < m_items.size() ? m_byId.value(m_items[index].id) : nullptr;
}

QRect ClipListView::itemGeometry(qsizetype index) const
{
    return index >= 0 && index < m_geometries.size() ? m_geometries[index] : QRect();
}

void ClipListView::scrollToIndex(qsizetype index)
{
    const QRect geometry = itemGeometry(index);
    if (QScrollArea *area = scrollArea(); area && geometry.isValid())
        area->ensureVisible(geometry.center().x(), geometry.center().y(), 0,
                            geometry.height() / 2 + std::max(m_style.listSpacing, m_style.shadowMargin));
    updateRows();
}

void ClipListView::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    updateRows(); // scrolled
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
