#pragma once

#include <QStringList>

// Every file the install rules put under the prefix, relative to it: the Debian package holds
// exactly these under /usr, and `make install` under its prefix.
inline QStringList quilloInstalledFiles()
{
    const QString id = QStringLiteral(QUILLO_APP_ID);
    return {
        QStringLiteral("bin/quillo"),
        QStringLiteral("share/applications/%1.desktop").arg(id),
        QStringLiteral("share/doc/quillo/copyright"),
        QStringLiteral("share/icons/hicolor/128x128/apps/%1.png").arg(id),
        QStringLiteral("share/icons/hicolor/48x48/apps/%1.png").arg(id),
        QStringLiteral("share/icons/hicolor/scalable/apps/%1.svg").arg(id),
        QStringLiteral("share/metainfo/%1.metainfo.xml").arg(id),
    };
}
