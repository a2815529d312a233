#include "views/widgets/elided_label.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

ElidedLabel::ElidedLabel(const QFont &font, const QColor &color, Qt::TextElideMode mode, Qt::Alignment alignment,
                         QWidget *parent)
    : QWidget(parent)
    , m_color(color)
    , m_mode(mode)
    , m_alignment(alignment)
{
    setFont(font);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ElidedLabel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

QString ElidedLabel::shownText() const
{
    if (QFontMetricsF(font()).horizontalAdvance(m_text) <= width())
        return m_text;
    return fontMetrics().elidedText(m_text, m_mode, width());
}

QSize ElidedLabel::sizeHint() const
{
    return QSize(int(std::ceil(QFontMetricsF(font()).horizontalAdvance(m_text))), fontMetrics().height());
}

QSize ElidedLabel::minimumSizeHint() const
{
    return QSize(0, fontMetrics().height());
}

void ElidedLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(m_color);
    painter.drawText(rect(), int(m_alignment | Qt::AlignVCenter), shownText());
}
