#include "test_environment.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

TestEnvironment::TestEnvironment()
{
    const QString h = home();
    QDir().mkpath(h);
    qputenv("HOME", h.toUtf8());
    qputenv("XDG_DATA_HOME", (h + QStringLiteral("/.local/share")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (h + QStringLiteral("/.config")).toUtf8());
    qputenv("XDG_CACHE_HOME", (h + QStringLiteral("/.cache")).toUtf8());
    const QString runtime = m_dir.path() + QStringLiteral("/runtime");
    QDir().mkpath(runtime);
    QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtime.toUtf8());
}
