#pragma once

#include <functional>

class AppStore;
class QWidget;

// The widgets the two shell windows host. Kept in one place so the shell does not depend
// on how the pages are built.
namespace PanelContent {

QWidget *createPanelContent(AppStore &store);
// `reveal` is called when the tab is clicked.
QWidget *createTabContent(std::function<void()> reveal);

} // namespace PanelContent
