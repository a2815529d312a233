#pragma once

#include "views/root/root_view_style.h"

#include <QWidget>
#include <functional>

class AppStore;
class LoginStartup;
class QLabel;
class SettingsRow;
class ToggleSwitch;

// The quick-settings card: the sensitive-content filter, starting at login, the notes folder
// and quit.
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

    // The "登录时启动" row appears once a LoginStartup is given; it is read again each time
    // the card is shown, since other tools may change it meanwhile.
    void setLoginStartup(LoginStartup *startup);

    ToggleSwitch *sensitiveSwitch() const { return m_switch; }
    ToggleSwitch *loginSwitch() const { return m_loginSwitch; }
    QLabel *loginNote() const { return m_loginNote; }
    SettingsRow *folderRow() const { return m_folderRow; }
    SettingsRow *quitRow() const { return m_quitRow; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QWidget *makeSwitchRow(const QString &icon, const QString &title, ToggleSwitch *&toggle);
    void refresh();
    void onLoginToggled(bool on);
    void refreshLogin();

    AppStore &m_store;
    SettingsCardStyle m_style;
    ToggleSwitch *m_switch = nullptr;
    LoginStartup *m_login = nullptr;
    QWidget *m_loginRow = nullptr;
    ToggleSwitch *m_loginSwitch = nullptr;
    QLabel *m_loginNote = nullptr;
    QString m_loginError;
    SettingsRow *m_folderRow = nullptr;
    SettingsRow *m_quitRow = nullptr;
    std::function<void()> m_quit;
};
