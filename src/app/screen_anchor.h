#pragma once

#include "shell_seams.h"

#include <QList>
#include <QPoint>
#include <QString>
#include <optional>

// Which screen the shell docks to. It stays on the display it first docked to for as long
// as that display is connected, wherever the pointer goes; only when that display is gone
// does it move, to the display under the pointer (else the primary, else the first), and
// anchor there.
class ScreenAnchor
{
public:
    std::optional<QString> anchorName() const { return m_anchorName; }
    void reset() { m_anchorName.reset(); }

    // Chooses the screen and updates the anchor; nothing when there is no screen at all.
    std::optional<ScreenInfo> choose(const QList<ScreenInfo> &screens, const std::optional<ScreenInfo> &primary,
                                     const QPoint &pointer);

    // The first screen whose full geometry (not the available part) contains `point`.
    static std::optional<ScreenInfo> screenContaining(const QList<ScreenInfo> &screens, const QPoint &point);

private:
    std::optional<QString> m_anchorName;
};
