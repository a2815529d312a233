#pragma once

class QCoreApplication;

// Qt's own texts (the buttons and labels of its dialogs, the text fields' context menus) in
// Simplified Chinese, as the rest of the interface: the catalogue "qtbase_zh_CN" from the
// installed Qt's translations folder (Debian: qt6-translations-l10n), whatever the locale.
namespace QtTranslations {

// Returns false, leaving Qt's English texts, when the catalogue is not installed.
bool installChinese(QCoreApplication &app);

} // namespace QtTranslations
