#include "views/root/support_overlay.h"

#include "views/root/support_card.h"
#include "views/style/glass_painter.h"

#include <QMouseEvent>
#include <QPainter>

SupportOverlay::SupportOverlay(const SupportCardStyle &style, QWidget *parent, const QString &picturePath)
    : QWidget(parent)
    , m_style(style)
{
    m_card = picturePath.isNull() ? new SupportCard(m_style, this) : new SupportCard(m_style, this, picturePath);
    connect(m_card, &SupportCard::closeClicked, this, &SupportOverlay::dismissed);
}

void SupportOverlay::resizeEvent(QResizeEvent *)
{
    m_card->adjustSize();
    QRect card(QPoint(0, 0), m_card->sizeHint().expandedTo(QSize(m_style.width, 0)));
    card.moveCenter(rect().center());
    m_card->setGeometry(card);
}

void SupportOverlay::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), m_style.backdrop);
    GlassPainter::paintShadow(painter, QRectF(m_card->geometry()), m_style.glass.radius, m_style.glass.shadow);
}

void SupportOverlay::mousePressEvent(QMouseEvent *event)
{
    event->accept();
    m_pressedOnBackdrop =
        event->button() == Qt::LeftButton && !m_card->geometry().contains(event->position().toPoint());
}

void SupportOverlay::mouseReleaseEvent(QMouseEvent *event)
{
    event->accept();
    const bool click = m_pressedOnBackdrop && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint())
                       && !m_card->geometry().contains(event->position().toPoint());
    m_pressedOnBackdrop = false;
    if (click)
        emit dismissed();
}
