#pragma once

#include <QLabel>

// A one-line label that never asks for more width than it is given: a text too long for it is
// shown with "…" in the middle, so both ends (a status and the file name it ends with) stay
// readable. text() is always the whole text.
class ElidedLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
