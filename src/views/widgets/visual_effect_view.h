#pragma once

#include <QWidget>

// A translucent backdrop standing in for a blur material. With a compositor it paints a light
// tint that lets the desktop show through; without one an opaque light surface. Material and
// blending mode can change at any time; the widget updates in place.
class VisualEffectView : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMaterialPopover = 6;
    static constexpr int kMaterialSidebar = 7;
    static constexpr int kBlendingBehindWindow = 0;
    static constexpr int kBlendingWithinWindow = 1;

    explicit VisualEffectView(int material, int blendingMode, QWidget *parent = nullptr);

    int material() const { return m_material; }
    int blendingMode() const { return m_blendingMode; }
    void setMaterial(int material);
    void setBlendingMode(int blendingMode);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_material;
    int m_blendingMode;
};
