#include "views/widgets/edge_tab_view.h"

#include "views/style/compositor_status.h"
#include "views/style/glass_painter.h"

#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>

namespace {

double mix(double a, double b, double t)
{
    return a + (b - a) * t;
}

QColor mix(const QColor &a, const QColor &b, double t)
{
    return QColor::fromRgbF(float(mix(a.redF(), b.redF(), t)), float(mix(a.greenF(), b.greenF(), t)),
                            float(mix(a.blueF(), b.blueF(), t)), float(mix(a.alphaF(), b.alphaF(), t)));
}

} // namespace

EdgeTabView::EdgeTabView(QWidget *parent, EdgeTabStyle style)
    : QWidget(parent)
    , m_style(std::move(style))
{
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    setToolTip(m_style.toolTip);
    setAccessibleName(m_style.toolTip);
    setCursor(Qt::PointingHandCursor);
    m_hoverAnimation.setDuration(m_style.hoverDurationMs);
    m_hoverAnimation.setEasingCurve(m_style.hoverEasing);
    connect(&m_hoverAnimation, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_progress = value.toDouble();
        update();
        emit pillChanged();
    });
    connect(&CompositorStatus::current(), &CompositorStatus::compositingChanged, this, qOverload<>(&QWidget::update));
}

void EdgeTabView::setHovering(bool hovering)
{
    if (m_hovering == hovering)
        return;
    m_hovering = hovering;
    // Reversing mid-way starts from where the pill is now, with the full duration.
    m_hoverAnimation.stop();
    m_hoverAnimation.setStartValue(m_progress);
    m_hoverAnimation.setEndValue(hovering ? 1.0 : 0.0);
    m_hoverAnimation.start();
}

void EdgeTabView::enterEvent(QEnterEvent *)
{
    setHovering(true);
}

void EdgeTabView::leaveEvent(QEvent *)
{
    m_pressed = false;
    setHovering(false);
}

void EdgeTabView::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void EdgeTabView::mouseReleaseEvent(QMouseEvent *event)
{
    const bool click = m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit revealRequested();
}

QRectF EdgeTabView::pillRect() const
{
    const QSizeF size(mix(m_style.pillRest.width(), m_style.pillHover.width(), m_progress),
                      mix(m_style.pillRest.height(), m_style.pillHover.height(), m_progress));
    const QPointF centre = QRectF(rect()).center();
    return QRectF(centre.x() - size.width() / 2, centre.y() - size.height() / 2, size.width(), size.height());
}

QRegion EdgeTabView::pillRegion() const
{
    return QRegion(GlassPainter::capsule(pillRect()).toFillPolygon().toPolygon());
}

void EdgeTabView::resizeEvent(QResizeEvent *)
{
    emit pillChanged();
}

void EdgeTabView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool composited = CompositorStatus::current().isComposited();
    // Replaces whatever the window held: translucent pixels are never painted over old ones.
    // Without a compositor the window is cut to the pill, so the pill's backdrop fills the
    // whole of it and the cut edge shows no black from the transparent background.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(rect(), m_style.hitFill);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);

    const QRectF pill = pillRect();
    const double t = m_progress;
    const QPainterPath capsule = GlassPainter::capsule(pill);
    if (composited) {
        const ShadowStyle shadow{mix(m_style.shadowRest.color, m_style.shadowHover.color, t),
                                 mix(m_style.shadowRest.radius, m_style.shadowHover.radius, t),
                                 m_style.shadowRest.offset};
        GlassPainter::paintShadow(painter, pill, pill.width() / 2, shadow);
        GlassPainter::paintBackdrop(painter, capsule, 6, true);
    } else {
        QPainterPath whole;
        whole.addRect(rect());
        GlassPainter::paintBackdrop(painter, whole, 6, false);
    }
    GlassPainter::paintFill(painter, capsule, mix(m_style.fillRest, m_style.fillHover, t));
    QLinearGradient rim(pill.topLeft(), pill.topRight());
    rim.setColorAt(0, m_style.rimLeading);
    rim.setColorAt(1, m_style.rimTrailing);
    GlassPainter::paintRim(painter, capsule, rim, m_style.rimWidth);
}
