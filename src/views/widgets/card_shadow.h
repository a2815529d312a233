#pragma once

#include "views/style/styles.h"

#include <QPointer>
#include <QWidget>

// The soft shadow of a floating card, drawn by a sibling that sits just under the card and
// lets every click through. The card itself can then be exactly its own rectangle, so the
// shadow's margin never swallows clicks meant for the page beneath.
class CardShadow : public QWidget
{
    Q_OBJECT
public:
    CardShadow(QWidget *card, double cornerRadius, const ShadowStyle &shadow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QMargins margins() const;
    void follow();

    QPointer<QWidget> m_card;
    double m_radius = 0;
    ShadowStyle m_shadow;
};
