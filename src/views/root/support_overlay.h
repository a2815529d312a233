#pragma once

#include "views/root/root_view_style.h"

#include <QWidget>

class SupportCard;

// The dimmed backdrop over the whole panel with the support card centred on it. A click on
// the backdrop (pressed and released on it) closes it; clicks on the card stay on the card.
class SupportOverlay : public QWidget
{
    Q_OBJECT
public:
    explicit SupportOverlay(const SupportCardStyle &style, QWidget *parent = nullptr,
                            const QString &picturePath = QString());

    SupportCard *card() const { return m_card; }

signals:
    void dismissed();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    SupportCardStyle m_style;
    SupportCard *m_card = nullptr;
    bool m_pressedOnBackdrop = false;
};
