#include "screen_anchor.h"

std::optional<ScreenInfo> ScreenAnchor::screenContaining(const QList<ScreenInfo> &screens, const QPoint &point)
{
    for (const ScreenInfo &screen : screens) {
        if (screen.geometry.contains(point))
            return screen;
    }
    return std::nullopt;
}

std::optional<ScreenInfo> ScreenAnchor::choose(const QList<ScreenInfo> &screens,
                                               const std::optional<ScreenInfo> &primary, const QPoint &pointer)
{
    if (m_anchorName) {
        for (const ScreenInfo &screen : screens) {
            if (!screen.name.isEmpty() && screen.name == *m_anchorName)
                return screen;
        }
    }
    std::optional<ScreenInfo> chosen = screenContaining(screens, pointer);
    if (!chosen)
        chosen = primary;
    if (!chosen && !screens.isEmpty())
        chosen = screens.first();
    // With no screen at all (a monitor switch in progress) the anchor is kept, so the shell
    // returns to its display if that one comes back.
    if (!chosen)
        return std::nullopt;
    if (chosen->name.isEmpty())
        m_anchorName.reset();
    else
        m_anchorName = chosen->name;
    return chosen;
}
