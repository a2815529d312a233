#include "views/widgets/liquid_glass_canvas.h"

#include "views/style/compositor_status.h"
#include "views/style/glass_painter.h"

#include <QPainter>

LiquidGlassCanvas::LiquidGlassCanvas(QWidget *parent, CanvasStyle style)
    : QWidget(parent)
    , m_style(style)
{
    connect(&CompositorStatus::current(), &CompositorStatus::compositingChanged, this, qOverload<>(&QWidget::update));
}

void LiquidGlassCanvas::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    GlassPainter::paintCanvas(painter, rect(), m_style, CompositorStatus::current().isComposited());
}
