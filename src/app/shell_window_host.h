#pragma once

#include "shell_seams.h"

#include <QEasingCurve>
#include <QObject>
#include <functional>
#include <memory>

class PanelWindow;
class QPropertyAnimation;
class TabWindow;

// The real panel and tab windows behind the state machine's window seam. Owns both.
class ShellWindowHost : public QObject, public ShellWindows
{
    Q_OBJECT
public:
    static constexpr int kSlideDurationMs = 180;

    ShellWindowHost(QWidget *panelContent, QWidget *tabContent, QObject *parent = nullptr);
    ~ShellWindowHost() override;

    PanelWindow *panel() const { return m_panel.get(); }
    TabWindow *tab() const { return m_tab.get(); }

    QRect panelGeometry() const override;
    void movePanel(const QRect &target, bool animated) override;
    void orderPanelFront() override;
    void orderPanelOut() override;
    void setTabGeometry(const QRect &frame) override;
    void orderTabFront() override;
    void orderTabOut() override;
    bool isPopupOpen() const override;

    // For compositors that ignore where an X window asks to be (sway): `place` is called
    // with a shown window and the frame it should have, after every show and every move
    // while shown. Qt then never moves a shown window itself, and the panel does not slide.
    using Placement = std::function<void(QWidget *window, const QRect &frame)>;
    void setPlacement(Placement place) { m_place = std::move(place); }

private:
    void orderFront(QWidget *window);

    std::unique_ptr<PanelWindow> m_panel;
    std::unique_ptr<TabWindow> m_tab;
    QPropertyAnimation *m_slide = nullptr;
    Placement m_place;
};
