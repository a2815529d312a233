#pragma once

#include <functional>

class AppStore;
class LoginStartup;
class QWidget;
class RootView;

// The widgets the two shell windows host. Kept in one place so the shell does not depend
// on how the pages are built.
namespace PanelContent {

// `loginStartup` drives the settings card's "登录时启动" switch (none: no such row).
RootView *createPanelContent(AppStore &store, LoginStartup *loginStartup);
// `reveal` is called when the tab is clicked.
QWidget *createTabContent(std::function<void()> reveal);

} // namespace PanelContent
