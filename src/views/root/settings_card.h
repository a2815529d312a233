#pragma once

#include "views/root/root_view_style.h"

#include <QWidget>
#include <functional>

class AppStore;
class SettingsRow;
class ToggleSwitch;

// The quick-settings card: the sensitive-content filter, the notes folder and quit.
class SettingsCard : public QWidget
{
    Q_OBJECT
public:
    SettingsCard(AppStore &store, const SettingsCardStyle &style, QWidget *parent = nullptr);

    // `path` with the home folder shown as "~", only where the home folder is a leading
    // prefix that ends at a path boundary ("/root/notes", not "/srv/root/notes" or
    // "/rootless").
    static QString abbreviatedPath(const QString &path, const QString &home);

    // Quitting goes through QCoreApplication::quit, so the shell's orderly shutdown (which
    // flushes the pending history save) runs; tests replace it.
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }

    ToggleSwitch *sensitiveSwitch() const { return m_switch; }
    SettingsRow *folderRow() const { return m_folderRow; }
    SettingsRow *quitRow() const { return m_quitRow; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QWidget *makeSwitchRow();
    void refresh();

    AppStore &m_store;
    SettingsCardStyle m_style;
    ToggleSwitch *m_switch = nullptr;
    SettingsRow *m_folderRow = nullptr;
    SettingsRow *m_quitRow = nullptr;
    std::function<void()> m_quit;
};
