#include "views/widgets/visual_effect_view.h"

#include "views/style/compositor_status.h"
#include "views/style/glass_painter.h"

#include <QPainter>

VisualEffectView::VisualEffectView(int material, int blendingMode, QWidget *parent)
    : QWidget(parent)
    , m_material(material)
    , m_blendingMode(blendingMode)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    connect(&CompositorStatus::current(), &CompositorStatus::compositingChanged, this, qOverload<>(&QWidget::update));
}

void VisualEffectView::setMaterial(int material)
{
    if (m_material == material)
        return;
    m_material = material;
    update();
}

void VisualEffectView::setBlendingMode(int blendingMode)
{
    if (m_blendingMode == blendingMode)
        return;
    m_blendingMode = blendingMode;
    update();
}

void VisualEffectView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QPainterPath path;
    path.addRect(rect());
    // Within-window blending blurs the panel's own content, which is always there, so only
    // behind-window blending depends on the compositor.
    const bool translucent = m_blendingMode == kBlendingWithinWindow || CompositorStatus::current().isComposited();
    GlassPainter::paintBackdrop(painter, path, m_material, translucent);
}
