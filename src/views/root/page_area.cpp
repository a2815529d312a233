#include "views/root/page_area.h"

#include "views/style/styles.h"

#include <QGraphicsOpacityEffect>

PageArea::PageArea(const PageTransitionStyle &style, QWidget *parent)
    : QWidget(parent)
    , m_style(style)
{
    m_transition.setDuration(m_style.durationMs);
    m_transition.setEasingCurve(EdgeTabStyle::easeOut());
    m_transition.setStartValue(0.0);
    m_transition.setEndValue(1.0);
    connect(&m_transition, &QVariantAnimation::valueChanged, this,
            [this](const QVariant &value) { applyProgress(value.toDouble()); });
    connect(&m_transition, &QVariantAnimation::finished, this, &PageArea::finishTransition);
}

void PageArea::addPage(QWidget *page, int offset)
{
    page->setParent(this);
    page->setGeometry(rect());
    m_pages.append(Page{page, offset});
    if (m_current < 0) {
        m_current = 0;
        page->show();
    } else {
        page->hide();
    }
}

void PageArea::setCurrentIndex(int index, bool animated)
{
    if (index == m_current || index < 0 || index >= m_pages.size())
        return;
    if (isTransitioning()) {
        m_transition.stop();
        finishTransition();
    }
    m_previous = m_current;
    m_current = index;
    QWidget *incoming = m_pages[m_current].widget;
    incoming->setGeometry(rect());
    incoming->show();
    incoming->raise();
    if (!animated || !isVisible()) {
        finishTransition();
        return;
    }
    applyProgress(0);
    m_transition.start();
}

void PageArea::setOpacity(QWidget *page, double opacity)
{
    if (opacity >= 1.0) {
        page->setGraphicsEffect(nullptr);
        return;
    }
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(page->graphicsEffect());
    if (!effect) {
        effect = new QGraphicsOpacityEffect(page);
        page->setGraphicsEffect(effect);
    }
    effect->setOpacity(opacity);
}

void PageArea::applyProgress(double progress)
{
    const Page &in = m_pages[m_current];
    in.widget->move(int(in.offset * (1 - progress)), 0);
    setOpacity(in.widget, progress);
    if (m_previous >= 0) {
        const Page &out = m_pages[m_previous];
        out.widget->move(int(out.offset * progress), 0);
        setOpacity(out.widget, 1 - progress);
    }
}

void PageArea::finishTransition()
{
    for (int i = 0; i < m_pages.size(); ++i) {
        QWidget *page = m_pages[i].widget;
        page->setGraphicsEffect(nullptr);
        page->setGeometry(rect());
        page->setVisible(i == m_current);
    }
    m_previous = -1;
}

void PageArea::resizeEvent(QResizeEvent *)
{
    for (const Page &page : std::as_const(m_pages))
        page.widget->resize(size());
}
