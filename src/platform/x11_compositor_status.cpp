#include "platform/x11_compositor_status.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdlib>
#include <xcb/xcb.h>

X11CompositorStatus::X11CompositorStatus(QObject *parent)
    : CompositorStatus(parent)
{
    m_composited = detectCompositor();
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return;
    static const char kXFixes[] = "XFIXES";
    xcb_query_extension_reply_t *extension =
        xcb_query_extension_reply(connection, xcb_query_extension(connection, sizeof kXFixes - 1, kXFixes), nullptr);
    if (extension && extension->present)
        m_xfixesFirstEvent = extension->first_event;
    std::free(extension);
    if (m_xfixesFirstEvent >= 0)
        QCoreApplication::instance()->installNativeEventFilter(this);
}

X11CompositorStatus::~X11CompositorStatus()
{
    if (m_xfixesFirstEvent >= 0 && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11CompositorStatus::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    // XFixesSelectionNotify is the extension's first event; any selection changing hands
    // (the clipboard too) is cheap to answer with one owner query.
    if (eventType == "xcb_generic_event_t" && m_xfixesFirstEvent >= 0) {
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        if ((event->response_type & 0x7f) == m_xfixesFirstEvent)
            QMetaObject::invokeMethod(this, &X11CompositorStatus::recheck, Qt::QueuedConnection);
    }
    return false;
}

void X11CompositorStatus::recheck()
{
    const bool composited = detectCompositor();
    if (composited == m_composited)
        return;
    m_composited = composited;
    emit compositingChanged(composited);
}

bool X11CompositorStatus::detectCompositor()
{
    auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return false;
    xcb_connection_t *connection = x11->connection();
    int screen = 0;
    const QByteArray display = qgetenv("DISPLAY");
    const int dot = display.lastIndexOf('.');
    if (dot > display.lastIndexOf(':'))
        screen = std::atoi(display.constData() + dot + 1);
    const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, uint16_t(name.size()), name.constData()), nullptr);
    if (!atom)
        return false;
    const xcb_atom_t selection = atom->atom;
    std::free(atom);
    if (selection == XCB_ATOM_NONE)
        return false; // nobody ever interned it: no compositor has run on this display
    xcb_get_selection_owner_reply_t *owner =
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr);
    if (!owner)
        return false;
    const bool owned = owner->owner != XCB_WINDOW_NONE;
    std::free(owner);
    return owned;
}
