#include "views/widgets/toggle_switch.h"
#include "views/style/focus_ring.h"

#include "views/style/glass_painter.h"

#include <QPainter>

ToggleSwitch::ToggleSwitch(const ToggleSwitchStyle &style, QWidget *parent)
    : QAbstractButton(parent)
    , m_style(style)
{
    setCheckable(true);
    setFixedSize(m_style.size);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    m_slide.setDuration(m_style.slideMs);
    m_slide.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_slide, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_progress = value.toDouble();
        update();
    });
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        m_slide.stop();
        if (!isVisible()) {
            m_progress = on ? 1 : 0;
            update();
            return;
        }
        m_slide.setStartValue(m_progress);
        m_slide.setEndValue(on ? 1.0 : 0.0);
        m_slide.start();
    });
}

void ToggleSwitch::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor fill = m_style.trackOff;
    const QColor on = m_style.trackOn;
    fill.setRgbF(float(fill.redF() + (on.redF() - fill.redF()) * m_progress),
                 float(fill.greenF() + (on.greenF() - fill.greenF()) * m_progress),
                 float(fill.blueF() + (on.blueF() - fill.blueF()) * m_progress),
                 float(fill.alphaF() + (on.alphaF() - fill.alphaF()) * m_progress));
    GlassPainter::paintFill(painter, GlassPainter::capsule(track), fill);
    const double knob = track.height() - 4;
    const double x = track.left() + 2 + (track.width() - knob - 4) * m_progress;
    const QRectF knobRect(x, track.top() + 2, knob, knob);
    GlassPainter::paintShadow(painter, knobRect, knob / 2, m_style.knobShadow);
    GlassPainter::paintFill(painter, GlassPainter::capsule(knobRect), m_style.knob);
    FocusRing::paintIfFocused(painter, *this, rect(), height() / 2.0);
}
