#include "views/root/mode_picker.h"
#include "views/style/focus_ring.h"

#include "views/style/glass_painter.h"
#include "views/style/icons.h"

#include <QAbstractButton>
#include <QPainter>

namespace {

QString iconFor(ContentMode mode)
{
    return mode == ContentMode::notes ? QStringLiteral("note.text") : QStringLiteral("clipboard");
}

// One segment: icon and title over the (parent-painted) pill; the whole rectangle clicks.
class ModeSegment : public QAbstractButton
{
public:
    ModeSegment(ContentMode mode, const ModePickerStyle &style, QWidget *parent)
        : QAbstractButton(parent)
        , m_mode(mode)
        , m_style(style)
    {
        setText(ContentModes::rawValue(mode));
        setAccessibleName(QStringLiteral("切换到") + text());
        setCursor(Qt::PointingHandCursor);
        setFocusPolicy(Qt::TabFocus);
    }

    void setSelected(bool selected)
    {
        m_selected = selected;
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QColor color = m_selected ? m_style.selectedText : m_style.otherText;
        const QFontMetrics metrics(m_style.font);
        const int textWidth = metrics.horizontalAdvance(text());
        const int total = m_style.iconSize + m_style.iconSpacing + textWidth;
        const int left = (width() - total) / 2;
        Icons::paint(painter, iconFor(m_mode),
                     QRectF(left, (height() - m_style.iconSize) / 2.0, m_style.iconSize, m_style.iconSize),
                     m_style.iconSize, color);
        painter.setFont(m_style.font);
        painter.setPen(color);
        painter.drawText(QRect(left + m_style.iconSize + m_style.iconSpacing, 0, textWidth + 1, height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text());
        FocusRing::paintIfFocused(painter, *this, rect(), m_style.pillRadius);
    }

private:
    ContentMode m_mode;
    ModePickerStyle m_style;
    bool m_selected = false;
};

} // namespace

ModePicker::ModePicker(const ModePickerStyle &style, QWidget *parent)
    : QWidget(parent)
    , m_style(style)
{
    for (ContentMode mode : ContentModes::allCases()) {
        auto *segment = new ModeSegment(mode, m_style, this);
        connect(segment, &QAbstractButton::clicked, this, [this, mode] { emit segmentPressed(mode); });
        m_segments.append(segment);
    }
    m_slide.setDuration(m_style.slideMs);
    m_slide.setEasingCurve(QEasingCurve::OutCubic);
    connect(&m_slide, &QVariantAnimation::valueChanged, this, [this](const QVariant &value) {
        m_pillPosition = value.toDouble();
        update();
    });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setMode(m_mode, false);
}

QAbstractButton *ModePicker::segment(ContentMode mode) const
{
    return m_segments.value(int(ContentModes::allCases().indexOf(mode)));
}

void ModePicker::setMode(ContentMode mode, bool animated)
{
    m_mode = mode;
    const double target = double(ContentModes::allCases().indexOf(mode));
    for (ContentMode each : ContentModes::allCases())
        static_cast<ModeSegment *>(segment(each))->setSelected(each == mode);
    m_slide.stop();
    if (animated && !qFuzzyCompare(1.0 + m_pillPosition, 1.0 + target)) {
        m_slide.setStartValue(m_pillPosition);
        m_slide.setEndValue(target);
        m_slide.start();
    } else {
        m_pillPosition = target;
    }
    update();
}

QSize ModePicker::sizeHint() const
{
    const int height =
        m_style.segmentHeight + 2 * m_style.innerPadding + m_style.outerPadding.top() + m_style.outerPadding.bottom();
    return QSize(200, height);
}

QRect ModePicker::trackRect() const
{
    return rect().marginsRemoved(m_style.outerPadding);
}

QRectF ModePicker::pillRect() const
{
    const QRect inner =
        trackRect().adjusted(m_style.innerPadding, m_style.innerPadding, -m_style.innerPadding, -m_style.innerPadding);
    const int count = int(m_segments.size());
    const double width = (inner.width() - (count - 1) * m_style.spacing) / double(count);
    return QRectF(inner.left() + m_pillPosition * (width + m_style.spacing), inner.top(), width, inner.height());
}

void ModePicker::layoutSegments()
{
    const QRect inner =
        trackRect().adjusted(m_style.innerPadding, m_style.innerPadding, -m_style.innerPadding, -m_style.innerPadding);
    const int count = int(m_segments.size());
    const double width = (inner.width() - (count - 1) * m_style.spacing) / double(count);
    for (int i = 0; i < count; ++i) {
        const int left = inner.left() + int(i * (width + m_style.spacing));
        const int right = inner.left() + int(i * (width + m_style.spacing) + width);
        m_segments[i]->setGeometry(left, inner.top(), right - left, inner.height());
    }
}

void ModePicker::resizeEvent(QResizeEvent *)
{
    layoutSegments();
}

void ModePicker::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track = trackRect();
    GlassPainter::paintShadow(painter, track, m_style.radius, m_style.shadow);
    const QPainterPath trackPath = GlassPainter::roundedRect(track, m_style.radius);
    GlassPainter::paintFill(painter, trackPath, m_style.fill);

    const QRectF pill = pillRect();
    painter.save();
    painter.setClipPath(trackPath);
    GlassPainter::paintShadow(painter, pill, m_style.pillRadius, m_style.pillShadow);
    const QPainterPath pillPath = GlassPainter::roundedRect(pill, m_style.pillRadius);
    GlassPainter::paintFill(painter, pillPath, m_style.pillFill);
    GlassPainter::paintRim(painter, pillPath, m_style.pillRim, m_style.rimWidth);
    painter.restore();

    GlassPainter::paintRim(painter, trackPath, m_style.rim, m_style.rimWidth);
}
