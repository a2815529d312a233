#include "views/hover/clipboard_hover_registry.h"

#include <QGraphicsOpacityEffect>

namespace {

bool isTransparent(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        if (const auto *effect = qobject_cast<const QGraphicsOpacityEffect *>(w->graphicsEffect()))
            if (effect->isEnabled() && effect->opacity() <= 0)
                return true;
        if (w->isWindow())
            return w->windowOpacity() <= 0;
    }
    return false;
}

// Whether any part of the widget survives the clipping of its ancestors (a scroll area's
// viewport clips rows scrolled out of view).
bool hasVisiblePart(const QWidget *widget)
{
    QRect visible = widget->rect();
    const QWidget *child = widget;
    for (const QWidget *parent = widget->parentWidget(); parent && !child->isWindow();
         child = parent, parent = parent->parentWidget()) {
        visible.translate(child->pos());
        visible &= parent->rect();
        if (visible.isEmpty())
            return false;
    }
    return !visible.isEmpty();
}

} // namespace

ClipboardHoverRegistry &ClipboardHoverRegistry::shared()
{
    static ClipboardHoverRegistry registry;
    return registry;
}

void ClipboardHoverRegistry::registerProbe(QWidget *probe, const QUuid &itemID)
{
    m_views.insert(itemID, QPointer<QWidget>(probe));
}

void ClipboardHoverRegistry::unregisterProbe(const QUuid &itemID, const QWidget *probe)
{
    auto it = m_views.find(itemID);
    if (it == m_views.end())
        return;
    if (it->isNull() || it->data() == probe)
        m_views.erase(it);
}

std::optional<QUuid> ClipboardHoverRegistry::item(const QPoint &globalPoint, const QWidget *window) const
{
    if (!window)
        return std::nullopt;
    for (auto it = m_views.constBegin(); it != m_views.constEnd(); ++it) {
        const QWidget *probe = it->data();
        if (!probe || probe->window() != window)
            continue;
        if (!probe->isVisible() || isTransparent(probe) || !hasVisiblePart(probe))
            continue;
        const QRect global(probe->mapToGlobal(QPoint(0, 0)), probe->size());
        if (global.contains(globalPoint))
            return it.key();
    }
    return std::nullopt;
}

int ClipboardHoverRegistry::count() const
{
    int live = 0;
    for (const auto &view : m_views)
        live += view.isNull() ? 0 : 1;
    return live;
}
