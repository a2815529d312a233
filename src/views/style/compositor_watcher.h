#pragma once

#include <QObject>
#include <QTimer>
#include <optional>

// Whether a compositing manager runs on the X11 screen: the owner of the selection
// _NET_WM_CM_S<screen>. Without one, translucent windows show black corners and a grey body,
// so the look falls back to opaque surfaces. X11 sends no event to non-owners when the
// selection changes hands (XFixes would, but is not a dependency), so the owner is re-read
// on a slow timer and on demand. Other platforms count as not composited.
class CompositorWatcher : public QObject
{
    Q_OBJECT
public:
    static constexpr int kRecheckIntervalMs = 2000;

    static CompositorWatcher &instance();

    bool isComposited() const { return m_override.value_or(m_composited); }
    // Tests and the gallery force one look; nullopt returns to detection.
    void setOverride(std::optional<bool> composited);
    // Re-reads the selection owner now.
    void recheck();

    // The detection itself, for the default X11 screen of the running application.
    static bool detectCompositor();

signals:
    void compositingChanged(bool composited);

private:
    explicit CompositorWatcher(QObject *parent = nullptr);

    bool m_composited = false;
    std::optional<bool> m_override;
    QTimer m_timer;
};
