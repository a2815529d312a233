#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <optional>

// Whether a compositing manager runs on the X11 screen: the owner of the selection
// _NET_WM_CM_S<screen>. Without one, translucent windows show black corners and a grey body,
// so the look falls back to opaque surfaces. Qt's xcb plugin asks the server (XFixes) to
// report every change of that selection's owner; those events reach the application's
// native event filters, so the owner is re-read exactly when it changes,
// with no polling while the panel sits idle. Other platforms count as not composited.
class CompositorWatcher : public QObject, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    static CompositorWatcher &instance();
    ~CompositorWatcher() override;

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

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
    int m_xfixesFirstEvent = -1; // -1: XFixes absent, no events to wait for
};
