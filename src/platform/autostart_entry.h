#pragma once

#include "views/root/login_startup.h"

#include <QHash>
#include <QString>

// Starting Quillo at login through an XDG autostart entry: the file
// "<config>/autostart/<application id>.desktop", whose Exec names the executable this
// process runs from. Turning it off removes that one file and nothing else.
class AutostartEntry : public LoginStartup
{
public:
    // `executable`: the absolute path the entry starts; `configHome`: the XDG config folder.
    AutostartEntry(const QString &executable, const QString &configHome);
    // The running executable and the user's config folder (needs the application object).
    AutostartEntry();

    // $XDG_CONFIG_HOME when it is an absolute path (relative ones are ignored, as the XDG
    // base directory specification says), else ~/.config.
    static QString defaultConfigHome();
    // The whole entry that starts `executable`.
    static QString entryText(const QString &executable);
    QString filePath() const;

    bool isEnabled() const override;
    QString startedProgram() const override;
    QString thisProgram() const override { return m_executable; }
    QString setEnabled(bool enabled) override;

private:
    QHash<QString, QString> readKeys() const;
    QString enable();
    QString disable();
    QString reasonFor(int savedErrno) const;

    QString m_executable;
    QString m_folder;
};
