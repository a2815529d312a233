#pragma once

#include "views/style/compositor_status.h"

#include <QAbstractNativeEventFilter>

// The compositor status of the X11 screen: composited while some client owns the
// selection _NET_WM_CM_S<screen>. Qt's xcb plugin asks the server (XFixes) to report every
// change of that selection's owner; those events reach the application's native event
// filters, so the owner is re-read exactly when it changes, with no polling while the panel
// sits idle. Without an X11 connection the status stays not composited.
class X11CompositorStatus : public CompositorStatus, public QAbstractNativeEventFilter
{
    Q_OBJECT
public:
    explicit X11CompositorStatus(QObject *parent = nullptr);
    ~X11CompositorStatus() override;

    bool isComposited() const override { return m_composited; }
    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

    // Re-reads the selection owner now.
    void recheck();

    // The detection itself, for the default X11 screen of the running application.
    static bool detectCompositor();

private:
    bool m_composited = false;
    int m_xfixesFirstEvent = -1; // -1: XFixes absent, no events to wait for
};
