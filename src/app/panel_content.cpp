#include "panel_content.h"

#include "views/root/root_view.h"
#include "views/root/settings_card.h"
#include "views/widgets/edge_tab_view.h"

#include <QObject>

RootView *PanelContent::createPanelContent(AppStore &store, LoginStartup *loginStartup)
{
    auto *root = new RootView(store);
    root->settingsCard()->setLoginStartup(loginStartup);
    return root;
}

QWidget *PanelContent::createTabContent(std::function<void()> reveal)
{
    auto *tab = new EdgeTabView;
    QObject::connect(tab, &EdgeTabView::revealRequested, tab, [reveal = std::move(reveal)] {
        if (reveal)
            reveal();
    });
    return tab;
}
