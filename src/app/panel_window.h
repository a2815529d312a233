#pragma once

#include "views/style/palette.h"

#include <QColor>
#include <QWidget>

class PanelBorderOverlay;

struct PanelWindowStyle
{
    double cornerRadius = 16;
    QColor borderColor = Palette::kPanelBorder;
    double borderWidth = 0.8;
};

// The docked panel: a frameless, always-on-top utility window hosting the panel content cut
// to the docked outline (two rounded left corners, straight right side) under a thin
// border. Enter and leave of this window are the shell's tracking area.
class PanelWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kEnterSlack = 64; // px around the panel where an enter is believed

    explicit PanelWindow(QWidget *content, const PanelWindowStyle &style = {});

    QWidget *content() const { return m_content; }
    // Where the panel is meant to be: its frame, or while it slides the span from where it
    // starts to where it ends. Only an enter there (with some slack) counts.
    void setTravelArea(const QRect &area) { m_travelArea = area; }

signals:
    void pointerEntered();
    void pointerLeft();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void updateMasks();

    PanelWindowStyle m_style;
    QWidget *m_content = nullptr;
    PanelBorderOverlay *m_border = nullptr;
    QRect m_travelArea;
    bool m_pointerInside = false;
};
