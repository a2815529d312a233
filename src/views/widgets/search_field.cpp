#include "views/widgets/search_field.h"

#include "views/style/glass_painter.h"
#include "views/style/icons.h"
#include "views/widgets/icon_button.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>

SearchField::SearchField(const QString &placeholder, QWidget *parent, SearchFieldStyle style)
    : QWidget(parent)
    , m_style(std::move(style))
    , m_edit(new QLineEdit(this))
    , m_clear(new IconButton(QStringLiteral("xmark.circle.fill"), m_style.clearIconSize, m_style.clearIcon, this))
{
    setFixedHeight(m_style.height);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(m_style.paddingX + m_style.iconSize + m_style.spacing, 0, m_style.paddingX, 0);
    layout->setSpacing(m_style.spacing);

    m_edit->setFrame(false);
    m_edit->setFont(m_style.font);
    m_edit->setPlaceholderText(placeholder);
    m_edit->setAttribute(Qt::WA_MacShowFocusRect, false);
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, Qt::transparent);
    palette.setColor(QPalette::Text, m_style.text);
    palette.setColor(QPalette::PlaceholderText, m_style.placeholder);
    m_edit->setPalette(palette);
    m_edit->setAccessibleName(placeholder);
    layout->addWidget(m_edit, 1);

    m_clear->setLabel(m_style.clearToolTip);
    m_clear->setFixedSize(m_style.clearIconSize + 4, m_style.clearIconSize + 4);
    m_clear->setVisible(false);
    layout->addWidget(m_clear);

    connect(m_edit, &QLineEdit::textChanged, this, [this](const QString &text) {
        m_clear->setVisible(!text.isEmpty());
        emit textChanged(text);
    });
    connect(m_clear, &QAbstractButton::clicked, this, [this] { m_edit->clear(); });
}

QString SearchField::text() const
{
    return m_edit->text();
}

void SearchField::setText(const QString &text)
{
    if (m_edit->text() != text)
        m_edit->setText(text);
}

QSize SearchField::sizeHint() const
{
    return QSize(200, m_style.height);
}

void SearchField::enterEvent(QEnterEvent *)
{
    emit pointerEntered();
}

void SearchField::paintEvent(QPaintEvent *)
{
    // The shadow falls outside this widget and is painted by the parent page.
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect());
    const QPainterPath path = GlassPainter::roundedRect(bounds, m_style.radius);
    GlassPainter::paintFill(painter, path, m_style.fill);
    GlassPainter::paintRim(painter, path, m_style.rim, m_style.rimWidth);
    Icons::paint(painter, QStringLiteral("magnifyingglass"), QRectF(m_style.paddingX, 0, m_style.iconSize, height()),
                 m_style.iconSize, m_style.icon);
}
