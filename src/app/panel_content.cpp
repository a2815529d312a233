#include "panel_content.h"

#include "store/app_store.h"
#include "views/style/compositor_watcher.h"
#include "views/style/glass_painter.h"
#include "views/style/palette.h"
#include "views/style/styles.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

namespace {

// Stands in for the root view: the panel background and the product name.
class PlaceholderPanel : public QWidget
{
public:
    explicit PlaceholderPanel(AppStore &store) : m_store(store)
    {
        connect(&store, &AppStore::clipsChanged, this, qOverload<>(&QWidget::update));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        GlassPainter::paintCanvas(painter, QRectF(rect()), CanvasStyle::standard(),
                                  CompositorWatcher::instance().isComposited());
        painter.setPen(Palette::kTitleInk);
        painter.drawText(rect().adjusted(20, 18, -20, -18), Qt::AlignTop | Qt::AlignLeft,
                         QStringLiteral("Quillo · %1").arg(m_store.clips().size()));
    }

private:
    AppStore &m_store;
};

// Stands in for the edge tab: a pill; a click anywhere in the window reveals.
class PlaceholderTab : public QWidget
{
public:
    explicit PlaceholderTab(std::function<void()> reveal) : m_reveal(std::move(reveal))
    {
        setToolTip(EdgeTabStyle::standard().toolTip);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        const EdgeTabStyle style = EdgeTabStyle::standard();
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillRect(rect(), style.hitFill);
        QRectF pill(QPointF(), style.pillRest);
        pill.moveCenter(QRectF(rect()).center());
        const QPainterPath shape = GlassPainter::capsule(pill);
        GlassPainter::paintFill(painter, shape, style.fillRest);
        GlassPainter::paintRim(painter, shape, style.rimLeading, style.rimWidth);
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) && m_reveal)
            m_reveal();
    }

private:
    std::function<void()> m_reveal;
};

} // namespace

QWidget *PanelContent::createPanelContent(AppStore &store) { return new PlaceholderPanel(store); }

QWidget *PanelContent::createTabContent(std::function<void()> reveal) { return new PlaceholderTab(std::move(reveal)); }
