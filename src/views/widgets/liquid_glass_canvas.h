#pragma once

#include "views/style/styles.h"

#include <QWidget>

// The panel background: a sidebar backdrop, a white wash and a diagonal gradient, filling
// the whole widget. The panel's outline is applied by the window, not here.
class LiquidGlassCanvas : public QWidget
{
    Q_OBJECT
public:
    explicit LiquidGlassCanvas(QWidget *parent = nullptr, CanvasStyle style = CanvasStyle::standard());

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CanvasStyle m_style;
};
