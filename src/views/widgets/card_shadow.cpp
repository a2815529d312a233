#include "views/widgets/card_shadow.h"

#include "views/style/glass_painter.h"

#include <QEvent>
#include <QPainter>
#include <cmath>

CardShadow::CardShadow(QWidget *card, double cornerRadius, const ShadowStyle &shadow)
    : QWidget(card->parentWidget())
    , m_card(card)
    , m_radius(cornerRadius)
    , m_shadow(shadow)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    card->installEventFilter(this);
    follow();
}

QMargins CardShadow::margins() const
{
    const int blur = int(std::ceil(m_shadow.radius * 1.5)) + 2;
    const int dx = int(std::ceil(std::abs(m_shadow.offset.x())));
    const int dy = int(std::ceil(std::abs(m_shadow.offset.y())));
    return QMargins(blur + dx, blur + dy, blur + dx, blur + dy);
}

void CardShadow::follow()
{
    if (!m_card)
        return;
    setGeometry(m_card->geometry().marginsAdded(margins()));
    setVisible(!m_card->isHidden());
    stackUnder(m_card);
}

bool CardShadow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_card) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
        // A card hidden before its window is first shown gets only these, not Hide.
        case QEvent::ShowToParent:
        case QEvent::HideToParent:
        case QEvent::ZOrderChange: follow(); break;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CardShadow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF card = QRectF(rect().marginsRemoved(margins()));
    GlassPainter::paintShadow(painter, card, m_radius, m_shadow);
}
