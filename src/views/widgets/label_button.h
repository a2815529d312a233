#pragma once

#include "views/style/styles.h"

#include <QAbstractButton>

// A borderless button: an icon and a one-line text, no chrome. The text is elided when the
// button is given less width than it asks for.
class LabelButton : public QAbstractButton
{
    Q_OBJECT
public:
    LabelButton(const LabelButtonStyle &style, const QString &text, QWidget *parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    LabelButtonStyle m_style;
};
