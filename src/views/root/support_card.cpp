#include "views/root/support_card.h"
#include "views/widgets/plain_label.h"

#include "views/style/compositor_status.h"
#include "views/style/glass_painter.h"
#include "views/widgets/icon_tile.h"
#include "views/widgets/styled_button.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace {

// The picture scaled to fit `height` (and the card's width), its corners rounded.
QPixmap roundedPicture(const QImage &image, int maxWidth, int height, double radius, qreal dpr)
{
    const QSize size = image.size().scaled(QSize(maxWidth, height), Qt::KeepAspectRatio);
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    painter.setClipPath(GlassPainter::roundedRect(QRectF(QPointF(0, 0), size), radius));
    painter.drawImage(QRectF(QPointF(0, 0), size), image);
    return pixmap;
}

} // namespace

SupportCard::SupportCard(const SupportCardStyle &style, QWidget *parent, const QString &picturePath)
    : QWidget(parent)
    , m_style(style)
    , m_open([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    setFixedWidth(m_style.width);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(m_style.padding, m_style.padding, m_style.padding, m_style.padding);
    column->setSpacing(m_style.spacing);
    column->addWidget(makeHeader());
    m_picture = makePicture(picturePath);
    if (m_picture)
        column->addWidget(m_picture, 0, Qt::AlignHCenter);

    m_mail = new StyledButton(QString::fromLatin1(kAuthorEmail), m_style.mail, this);
    m_mail->setSymbol(QStringLiteral("envelope"));
    m_mail->setFixedHeight(m_style.buttonHeight);
    column->addWidget(m_mail);
    connect(m_mail, &StyledButton::clicked, this, [this] {
        const QUrl url = mailUrl();
        if (url.isValid() && m_open)
            m_open(url);
    });

    if (websiteUrl().isValid()) {
        m_website = new StyledButton(QStringLiteral("访问Quillo官网"), m_style.website, this);
        m_website->setSymbol(QStringLiteral("safari"));
        m_website->setFixedHeight(m_style.buttonHeight);
        column->addWidget(m_website);
        connect(m_website, &StyledButton::clicked, this, [this] {
            if (m_open)
                m_open(websiteUrl());
        });
    }
}

QWidget *SupportCard::makeHeader()
{
    auto *header = new QWidget(this);
    auto *row = new QHBoxLayout(header);
    row->setContentsMargins(0, 0, 0, 0);
    auto *titles = new QVBoxLayout;
    titles->setSpacing(3);
    titles->addWidget(
        makePlainLabel(QStringLiteral("请作者喝杯咖啡"), m_style.titleFont, Palette::kPrimaryText, header));
    titles->addWidget(makePlainLabel(QStringLiteral("Quillo完全免费，感谢你的支持"), m_style.subtitleFont,
                                     m_style.subtitleColor, header));
    row->addLayout(titles);
    row->addStretch(1);
    m_close = new IconTile(m_style.close, header);
    row->addWidget(m_close, 0, Qt::AlignVCenter);
    connect(m_close, &IconTile::clicked, this, &SupportCard::closeClicked);
    return header;
}

QLabel *SupportCard::makePicture(const QString &path)
{
    if (path.isEmpty())
        return nullptr;
    QImageReader reader(path);
    m_pictureImage = reader.read();
    if (m_pictureImage.isNull())
        return nullptr;
    m_picture = new QLabel(this);
    renderPicture();
    return m_picture;
}

void SupportCard::renderPicture()
{
    const int maxWidth = m_style.width - 2 * m_style.padding;
    m_picture->setPixmap(
        roundedPicture(m_pictureImage, maxWidth, m_style.pictureHeight, m_style.pictureRadius, devicePixelRatioF()));
}

// Moved to a screen of another scale: the picture is rendered again for it.
bool SupportCard::event(QEvent *event)
{
    if (event->type() == QEvent::ScreenChangeInternal && m_picture)
        renderPicture();
    return QWidget::event(event);
}

QUrl SupportCard::mailUrl()
{
    return QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kAuthorEmail), QUrl::StrictMode);
}

QUrl SupportCard::websiteUrl()
{
    return QUrl(QString::fromLatin1(kWebsite), QUrl::StrictMode);
}

void SupportCard::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    GlassStyle glass = m_style.glass;
    glass.shadow.color = Qt::transparent; // the overlay draws it
    GlassPainter::paintCard(painter, QRectF(rect()).adjusted(0.4, 0.4, -0.4, -0.4), glass,
                            CompositorStatus::current().isComposited());
}

// Clicks on the card never reach the backdrop behind it.
void SupportCard::mousePressEvent(QMouseEvent *event)
{
    event->accept();
}
