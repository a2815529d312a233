#pragma once

#include <QHash>
#include <QPoint>
#include <QPointer>
#include <QUuid>
#include <QWidget>
#include <optional>

// Which history row lies under a global pointer position. Every row's probe widget registers
// itself under the row's item id; the registry holds the probes weakly (QPointer), so a
// destroyed probe drops out of lookups without keeping anything alive. One per process,
// main thread only.
class ClipboardHoverRegistry
{
public:
    static ClipboardHoverRegistry &shared();

    // At most one probe per id: registering again replaces the earlier probe.
    void registerProbe(QWidget *probe, const QUuid &itemID);
    // Removes the entry only if it still holds `probe`: a newer row registered under the same
    // id while the old one was being torn down keeps its entry.
    void unregisterProbe(const QUuid &itemID, const QWidget *probe);

    // The id of a visible probe in `window` whose whole rectangle, in global coordinates,
    // contains `globalPoint`. Probes that are hidden, fully transparent, in another window or
    // scrolled completely out of view are skipped; a partly visible one matches over its
    // full bounds.
    std::optional<QUuid> item(const QPoint &globalPoint, const QWidget *window) const;

    int count() const; // live probes, for tests

private:
    ClipboardHoverRegistry() = default;
    QHash<QUuid, QPointer<QWidget>> m_views;
};
