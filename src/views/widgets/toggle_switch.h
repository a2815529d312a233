#pragma once

#include "views/style/styles.h"

#include <QAbstractButton>
#include <QVariantAnimation>

// An on/off switch: a capsule track tinted with the accent when on, and a sliding knob.
class ToggleSwitch : public QAbstractButton
{
    Q_OBJECT
public:
    explicit ToggleSwitch(const ToggleSwitchStyle &style, QWidget *parent = nullptr);

    QSize sizeHint() const override { return m_style.size; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ToggleSwitchStyle m_style;
    double m_progress = 0; // 0 off, 1 on
    QVariantAnimation m_slide;
};
