#pragma once

#include "store/clip_item.h"
#include "views/clipboard/clip_styles.h"

#include <QHash>
#include <QList>
#include <QUuid>
#include <QWidget>
#include <optional>

class AppStore;
class ClipRow;
class ClipboardHoverState;
class QScrollArea;

// The stack of rows inside the page's scroll area. It is as tall as all its entries' rows,
// but makes rows only for the entries in view and a screen above and below; rows scrolled
// far away are dropped again. Rows are matched to entries by id: an unchanged list does
// nothing, a changed entry updates its row in place, and only new entries get new rows. It
// paints the rows' shadows, which fall outside the rows.
class ClipListView : public QWidget
{
    Q_OBJECT
public:
    ClipListView(AppStore &store, ClipboardHoverState &hoverState, QWidget *parent = nullptr,
                 ClipboardPageStyle style = ClipboardPageStyle::standard());

    // Returns true when anything changed.
    bool setItems(const QList<ClipItem> &items);
    const QList<ClipItem> &items() const { return m_items; }
    // The rows made now, top to bottom.
    const QList<ClipRow *> &rows() const { return m_rows; }
    ClipRow *row(const QUuid &id) const { return m_byId.value(id); }
    // The row of the entry chosen with the keyboard; rows made later follow it too.
    void setSelectedID(std::optional<QUuid> id);
    // The row of items()[index] when it is made (in or near view), else nullptr.
    ClipRow *rowAt(qsizetype index) const;
    // Where items()[index]'s row is, in this widget's coordinates.
    QRect itemGeometry(qsizetype index) const;
    // Scrolls the page's scroll area so that items()[index] and its shadow are in view, and
    // makes its row.
    void scrollToIndex(qsizetype index);
    int rowsCreated() const { return m_rowsCreated; } // for tests: rebuild accounting

    // Lays the entries out for `width` and takes the height they need.
    void relayout(int width);

protected:
    void paintEvent(QPaintEvent *event) override;
    void moveEvent(QMoveEvent *event) override;

private:
    struct Measured
    {
        ClipItem item; // what the height was measured for
        int width = 0;
        int height = 0;
    };
    int heightOf(const ClipItem &item, int rowWidth);
    QScrollArea *scrollArea() const;
    // The part of this widget in view, widened by a screen each way; everything without a
    // scroll area around it.
    QRect neighbourhood() const;
    void updateRows();
    ClipRow *makeRow(const ClipItem &item);
    void onRowHoverChanged(ClipRow *row);
    QRect shadowBounds(const ClipRow *row) const;

    AppStore &m_store;
    ClipboardHoverState &m_hoverState;
    ClipboardPageStyle m_style;
    ClipRowStyle m_rowStyle = ClipRowStyle::standard();
    QList<ClipItem> m_items;
    QList<QRect> m_geometries; // per item
    QHash<QUuid, Measured> m_measured;
    QList<ClipRow *> m_rows;
    QHash<QUuid, ClipRow *> m_byId;
    std::optional<QUuid> m_selectedID;
    int m_rowsCreated = 0;
};
