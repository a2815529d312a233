#pragma once

#include "shell_seams.h"

#include <QEasingCurve>
#include <QObject>
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

private:
    static void orderFront(QWidget *window);

    std::unique_ptr<PanelWindow> m_panel;
    std::unique_ptr<TabWindow> m_tab;
    QPropertyAnimation *m_slide = nullptr;
};
