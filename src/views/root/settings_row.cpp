#include "views/root/settings_row.h"
#include "views/style/focus_ring.h"

#include "views/style/icons.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kGap = 8;       // between icon, text and chevron
constexpr int kDetailGap = 2; // between the title and its second line
} // namespace

SettingsRow::SettingsRow(const Look &look, const QString &title, QWidget *parent)
    : QAbstractButton(parent)
    , m_look(look)
{
    setText(title);
    setAccessibleName(title);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::TabFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void SettingsRow::setDetail(const QString &detail)
{
    m_detail = detail;
    setAccessibleDescription(detail);
    updateGeometry();
    update();
}

QSize SettingsRow::sizeHint() const
{
    int text = QFontMetrics(m_look.font).height();
    if (!m_detail.isEmpty())
        text += kDetailGap + QFontMetrics(m_look.detailFont).height();
    return QSize(200, std::max(text, m_look.iconSize) + 2 * m_look.verticalPadding);
}

void SettingsRow::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    FocusRing::paintIfFocused(painter, *this, rect(), FocusRingStyle::kPlainRadius);
    QColor color = m_look.color;
    if (isDown())
        color.setAlphaF(color.alphaF() * 0.6f);
    const QRect content = rect().adjusted(0, m_look.verticalPadding, 0, -m_look.verticalPadding);
    Icons::paint(painter, m_look.icon, QRectF(0, content.top(), m_look.iconSize, content.height()), m_look.iconSize,
                 color);
    int right = content.right();
    if (m_look.chevron) {
        Icons::paint(painter, QStringLiteral("chevron.right"),
                     QRectF(right - m_look.iconSize + 1, content.top(), m_look.iconSize, content.height()),
                     m_look.iconSize - 3, m_look.detailColor);
        right -= m_look.iconSize + kGap;
    }
    const int left = m_look.iconSize + kGap;
    const int width = std::max(0, right - left + 1);
    const QFontMetrics titleMetrics(m_look.font);
    painter.setFont(m_look.font);
    painter.setPen(color);
    if (m_detail.isEmpty()) {
        painter.drawText(QRect(left, content.top(), width, content.height()), Qt::AlignLeft | Qt::AlignVCenter,
                         titleMetrics.elidedText(text(), Qt::ElideRight, width));
        return;
    }
    const QFontMetrics detailMetrics(m_look.detailFont);
    const int block = titleMetrics.height() + kDetailGap + detailMetrics.height();
    const int top = content.top() + (content.height() - block) / 2;
    painter.drawText(QRect(left, top, width, titleMetrics.height()), Qt::AlignLeft | Qt::AlignVCenter,
                     titleMetrics.elidedText(text(), Qt::ElideRight, width));
    painter.setFont(m_look.detailFont);
    painter.setPen(m_look.detailColor);
    painter.drawText(QRect(left, top + titleMetrics.height() + kDetailGap, width, detailMetrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, detailMetrics.elidedText(m_detail, Qt::ElideMiddle, width));
}
