#pragma once

#include "views/root/root_view_style.h"

#include <QList>
#include <QVariantAnimation>
#include <QWidget>

class QGraphicsOpacityEffect;

// Shows exactly one of its pages, each filling the area. A change of page can cross-fade:
// the old page slides out by its offset and fades, the new one slides in from its offset
// and fades in (ease-out). Both are live widgets during the change; afterwards only the
// current page is visible.
class PageArea : public QWidget
{
    Q_OBJECT
public:
    explicit PageArea(const PageTransitionStyle &style, QWidget *parent = nullptr);

    // `offset` is the page's horizontal shift when it enters or leaves.
    void addPage(QWidget *page, int offset);
    int currentIndex() const { return m_current; }
    QWidget *currentPage() const { return m_pages.value(m_current).widget; }
    void setCurrentIndex(int index, bool animated);
    bool isTransitioning() const { return m_transition.state() == QAbstractAnimation::Running; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Page
    {
        QWidget *widget = nullptr;
        int offset = 0;
    };

    void applyProgress(double progress);
    void finishTransition();
    void setOpacity(QWidget *page, double opacity);

    PageTransitionStyle m_style;
    QList<Page> m_pages;
    int m_current = -1;
    int m_previous = -1;
    QVariantAnimation m_transition;
};
