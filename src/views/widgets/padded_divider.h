#pragma once

#include <QColor>
#include <QWidget>

// A one-pixel horizontal rule with empty margins at both ends.
class PaddedDivider : public QWidget
{
    Q_OBJECT
public:
    PaddedDivider(const QColor &color, int sideMargin, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_color;
    int m_sideMargin = 0;
};
