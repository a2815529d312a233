#pragma once

#include <QRect>
#include <QRegularExpression>
#include <QString>

// Where an X window is and whether it shows, read from the output of `xwininfo -id`.
struct XWindowState
{
    QRect geometry;
    bool viewable = false;

    static XWindowState fromXwininfo(const QString &info)
    {
        auto number = [&info](const char *label) {
            const QRegularExpression pattern(QString::fromLatin1(label) + QStringLiteral(":\\s+(-?\\d+)"));
            return pattern.match(info).captured(1).toInt();
        };
        XWindowState state;
        state.geometry =
            QRect(number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"), number("Height"));
        state.viewable = info.contains(QStringLiteral("Map State: IsViewable"));
        return state;
    }
};
