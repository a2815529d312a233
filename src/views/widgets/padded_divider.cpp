#include "views/widgets/padded_divider.h"

#include <QPainter>

PaddedDivider::PaddedDivider(const QColor &color, int sideMargin, QWidget *parent)
    : QWidget(parent)
    , m_color(color)
    , m_sideMargin(sideMargin)
{
    setFixedHeight(1);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void PaddedDivider::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(QRect(m_sideMargin, 0, std::max(0, width() - 2 * m_sideMargin), 1), m_color);
}
