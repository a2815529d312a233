#include "views/clipboard/clipboard_footer.h"

#include "views/widgets/icon_button.h"
#include "views/widgets/icon_label.h"

#include <QHBoxLayout>
#include <QLabel>

ClipboardFooter::ClipboardFooter(QWidget *parent, ClipboardPageStyle style)
    : QWidget(parent)
    , m_style(std::move(style))
    , m_icon(new IconLabel(QString(), m_style.footerIconSize, m_style.footerText, this))
    , m_text(new QLabel(this))
    , m_clear(new IconButton(QStringLiteral("trash"), m_style.footerIconSize, m_style.footerText, this))
{
    setFixedHeight(m_style.footerHeight);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(m_style.paddingX, 0, m_style.paddingX, 0);
    layout->setSpacing(m_style.footerSpacing);
    m_text->setTextFormat(Qt::PlainText);
    m_text->setFont(m_style.footerFont);
    QPalette palette = m_text->palette();
    palette.setColor(QPalette::WindowText, m_style.footerText);
    m_text->setPalette(palette);
    layout->addWidget(m_icon);
    layout->addWidget(m_text);
    layout->addStretch(1);
    m_clear->setText(QStringLiteral("清除"));
    m_clear->setFont(m_style.footerFont);
    m_clear->setLabel(QStringLiteral("清除"));
    m_clear->setFocusPolicy(Qt::TabFocus);
    layout->addWidget(m_clear);
    connect(m_clear, &QAbstractButton::clicked, this, &ClipboardFooter::clearRequested);
    refresh();
}

void ClipboardFooter::setFiltering(bool ignoreSensitive)
{
    m_ignoreSensitive = ignoreSensitive;
    refresh();
}

void ClipboardFooter::setSaveFailure(const QString &failure)
{
    m_saveFailure = failure;
    refresh();
}

void ClipboardFooter::refresh()
{
    const bool failing = !m_saveFailure.isEmpty();
    m_symbol = failing             ? QStringLiteral("xmark.circle.fill")
               : m_ignoreSensitive ? QStringLiteral("checkmark.shield")
                                   : QStringLiteral("lock.open");
    m_icon->setSymbol(m_symbol);
    m_text->setText(failing             ? m_saveFailure
                    : m_ignoreSensitive ? QStringLiteral("仅本机 · 已过滤敏感内容")
                                        : QStringLiteral("仅本机 · 敏感内容过滤关闭"));
}

QString ClipboardFooter::privacyText() const
{
    return m_text->text();
}

void ClipboardFooter::enterEvent(QEnterEvent *)
{
    emit pointerEntered();
}
