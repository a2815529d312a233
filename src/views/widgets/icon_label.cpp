#include "views/widgets/icon_label.h"

#include "views/style/icons.h"

#include <QPainter>

IconLabel::IconLabel(const QString &symbol, int pixelSize, const QColor &color, QWidget *parent)
    : QWidget(parent)
    , m_symbol(symbol)
    , m_pixelSize(pixelSize)
    , m_color(color)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void IconLabel::setSymbol(const QString &symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    update();
}

void IconLabel::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void IconLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Icons::paint(painter, m_symbol, QRectF(rect()), m_pixelSize, m_color);
}
