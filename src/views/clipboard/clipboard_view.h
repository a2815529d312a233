#pragma once

#include "views/clipboard/clip_styles.h"

#include <QUuid>
#include <QWidget>
#include <optional>

class AppStore;
class ClipListView;
class ClipboardKeyHandler;
class ClipboardEmptyState;
class ClipboardFooter;
class ClipboardHoverState;
class QScrollArea;
class QStackedWidget;
class SearchField;

// The clipboard page: search field bound to the store's query, the matching entries (or an
// empty state), a divider and the footer. It owns the hover state shared by its rows and keeps
// it in step with the two hover notifications, and the keyboard's row choice: one row at most
// looks hovered, the pointer's or the keyboard's, whichever moved last.
class ClipboardView : public QWidget
{
    Q_OBJECT
public:
    explicit ClipboardView(AppStore &store, QWidget *parent = nullptr,
                           ClipboardPageStyle style = ClipboardPageStyle::standard());
    ~ClipboardView() override;

    ClipboardHoverState &hoverState() const { return *m_hoverState; }
    SearchField *searchField() const { return m_search; }
    ClipListView *list() const { return m_list; }
    QScrollArea *scrollArea() const { return m_scroll; }
    ClipboardEmptyState *emptyState() const { return m_empty; }
    ClipboardFooter *footer() const { return m_footer; }
    ClipboardKeyHandler *keyHandler() const { return m_keys; }
    bool showsEmptyState() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildLayout();
    void connectStore();
    void refreshList();
    void onCopiedIDChanged();
    void onSelectionChanged(std::optional<QUuid> id, qsizetype index);

    AppStore &m_store;
    ClipboardPageStyle m_style;
    ClipboardHoverState *m_hoverState;
    SearchField *m_search;
    QStackedWidget *m_stack;
    QScrollArea *m_scroll;
    ClipListView *m_list;
    ClipboardEmptyState *m_empty;
    ClipboardFooter *m_footer;
    ClipboardKeyHandler *m_keys;
    std::optional<QUuid> m_copiedID; // the id last marked copied, to refresh just that row
};
