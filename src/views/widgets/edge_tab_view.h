#pragma once

#include "views/style/styles.h"

#include <QRegion>
#include <QVariantAnimation>
#include <QWidget>

// The whole content of the tab window while the panel is collapsed: a slim glass pill that
// grows a little under the pointer. The entire widget, not only the pill, is hoverable and
// clickable; a click asks for the panel to be revealed.
class EdgeTabView : public QWidget
{
    Q_OBJECT
public:
    explicit EdgeTabView(QWidget *parent = nullptr, EdgeTabStyle style = EdgeTabStyle::standard());

    bool isHovering() const { return m_hovering; }
    double hoverProgress() const { return m_progress; } // 0 resting … 1 hovering
    // The pill's rectangle at the current animation progress, and the pixels it covers: the
    // shape of the tab's window where it is cut (no compositor) or blurred behind.
    QRectF pillRect() const;
    QRegion pillRegion() const;
    QSize sizeHint() const override { return m_style.windowSize; }

signals:
    void revealRequested();
    // The pill changed size or place.
    void pillChanged();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setHovering(bool hovering);

    EdgeTabStyle m_style;
    bool m_hovering = false;
    bool m_pressed = false;
    double m_progress = 0;
    QVariantAnimation m_hoverAnimation;
};
