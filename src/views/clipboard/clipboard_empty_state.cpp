#include "views/clipboard/clipboard_empty_state.h"

#include "views/widgets/icon_label.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

QLabel *makeLabel(const QFont &font, const QColor &color, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

} // namespace

ClipboardEmptyState::ClipboardEmptyState(QWidget *parent, EmptyStateStyle style)
    : QWidget(parent)
    , m_style(std::move(style))
    , m_icon(new IconLabel(QString(), m_style.iconSize, m_style.iconColor, this))
    , m_title(makeLabel(m_style.titleFont, m_style.titleColor, this))
    , m_subtitle(makeLabel(m_style.subtitleFont, m_style.subtitleColor, this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(m_style.spacing);
    layout->addStretch(1);
    layout->addWidget(m_icon, 0, Qt::AlignHCenter);
    layout->addWidget(m_title);
    layout->addWidget(m_subtitle);
    layout->addStretch(1);
    setSearching(false);
}

void ClipboardEmptyState::setSearching(bool searching)
{
    const QString symbol = searching ? QStringLiteral("magnifyingglass") : QStringLiteral("clipboard");
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    m_icon->setSymbol(m_symbol);
    m_title->setText(searching ? QStringLiteral("没有匹配的内容") : QStringLiteral("复制内容后会出现在这里"));
    m_subtitle->setText(searching ? QStringLiteral("换个关键词试试")
                                  : QStringLiteral("支持文字、链接、代码、图片和文件"));
}

QString ClipboardEmptyState::title() const
{
    return m_title->text();
}
QString ClipboardEmptyState::subtitle() const
{
    return m_subtitle->text();
}
