#pragma once

#include "views/root/root_view_style.h"

#include <QImage>
#include <QUrl>
#include <QWidget>
#include <functional>

class IconTile;
class QLabel;
class StyledButton;

// The support card: thanks, an optional picture, the author's mail and the website.
class SupportCard : public QWidget
{
    Q_OBJECT
public:
    // One constant each, easy to change. The ".example" names are reserved and reach no one.
    static constexpr const char *kAuthorEmail = "author@quillo.example";
    static constexpr const char *kWebsite = "https://quillo.example";
    // Compiled in only when the picture is in the source tree; without it the slot is left out.
    static constexpr const char *kPicturePath = ":/quillo/support/SupportQR.jpg";

    explicit SupportCard(const SupportCardStyle &style, QWidget *parent = nullptr,
                         const QString &picturePath = QString::fromLatin1(kPicturePath));

    // Opening links goes through QDesktopServices; tests replace it.
    void setUrlOpener(std::function<void(const QUrl &)> open) { m_open = std::move(open); }

    IconTile *closeButton() const { return m_close; }
    QLabel *picture() const { return m_picture; }
    StyledButton *mailButton() const { return m_mail; }
    StyledButton *websiteButton() const { return m_website; }

    static QUrl mailUrl();
    static QUrl websiteUrl();

signals:
    void closeClicked();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QWidget *makeHeader();
    QLabel *makePicture(const QString &path);
    void renderPicture();

    SupportCardStyle m_style;
    IconTile *m_close = nullptr;
    QLabel *m_picture = nullptr;
    QImage m_pictureImage;
    StyledButton *m_mail = nullptr;
    StyledButton *m_website = nullptr;
    std::function<void(const QUrl &)> m_open;
};
