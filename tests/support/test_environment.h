#pragma once

#include <QString>
#include <QTemporaryDir>

// Gives a test process its own empty HOME and XDG folders, so nothing touches the real
// user's files. Create it first thing in main(), before the application object.
class TestEnvironment
{
public:
    TestEnvironment();
    QString home() const { return m_dir.path() + QStringLiteral("/home"); }
    QString dataHome() const { return home() + QStringLiteral("/.local/share"); }
    QString supportDirectory() const { return dataHome() + QStringLiteral("/Quillo"); }
    QString documents() const { return home() + QStringLiteral("/Documents"); }
    QString root() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
};
