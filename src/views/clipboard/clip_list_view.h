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

// The stack of rows inside the page's scroll area. Rows are matched to entries by id: an
// unchanged list does nothing, a changed entry updates its row in place, and only new
// entries get new rows. It paints the rows' shadows, which fall outside the rows.
class ClipListView : public QWidget
{
    Q_OBJECT
public:
    ClipListView(AppStore &store, ClipboardHoverState &hoverState, QWidget *parent = nullptr,
                 ClipboardPageStyle style = ClipboardPageStyle::standard());

    // Returns true when anything changed.
    bool setItems(const QList<ClipItem> &items);
    const QList<ClipRow *> &rows() const { return m_rows; }
    ClipRow *row(const QUuid &id) const { return m_byId.value(id); }
    // The row of the entry chosen with the keyboard; rows made later follow it too.
    void setSelectedID(std::optional<QUuid> id);
    // Where the row at `index` of the list lies, in this widget's coordinates.
    QRect rowRect(qsizetype index) const;
    int rowsCreated() const { return m_rowsCreated; } // for tests: rebuild accounting

    // Lays the rows out for `width` and takes the height they need.
    void relayout(int width);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void onRowHoverChanged(ClipRow *row);
    QRect shadowBounds(const ClipRow *row) const;

    AppStore &m_store;
    ClipboardHoverState &m_hoverState;
    ClipboardPageStyle m_style;
    QList<ClipRow *> m_rows;
    QHash<QUuid, ClipRow *> m_byId;
    std::optional<QUuid> m_selectedID;
    int m_rowsCreated = 0;
};
