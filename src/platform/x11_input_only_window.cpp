#include "platform/x11_input_only_window.h"

#include "platform/x11_connection.h"

#include <QCoreApplication>
#include <cmath>

X11InputOnlyWindow::X11InputOnlyWindow(QObject *parent)
    : QObject(parent)
{
    xcb_connection_t *connection = X11Connection::get();
    if (!connection)
        return;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    m_window = xcb_generate_id(connection);
    // Value order follows the bits: override-redirect (0x200), then the event mask (0x800).
    const uint32_t values[] = {1, XCB_EVENT_MASK_ENTER_WINDOW | XCB_EVENT_MASK_BUTTON_PRESS};
    xcb_create_window(connection, 0, m_window, screen->root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    xcb_flush(connection);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11InputOnlyWindow::~X11InputOnlyWindow()
{
    xcb_connection_t *connection = X11Connection::get();
    if (!m_window || !connection)
        return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    xcb_destroy_window(connection, m_window);
    xcb_flush(connection);
}

void X11InputOnlyWindow::setGeometry(const QRect &area, qreal dpr)
{
    xcb_connection_t *connection = X11Connection::get();
    if (!m_window || !connection || area.isEmpty())
        return;
    const uint32_t values[] = {uint32_t(int32_t(std::lround(area.x() * dpr))),
                               uint32_t(int32_t(std::lround(area.y() * dpr))),
                               uint32_t(std::lround(area.width() * dpr)), uint32_t(std::lround(area.height() * dpr))};
    xcb_configure_window(connection, m_window,
                         XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT,
                         values);
    xcb_flush(connection);
}

void X11InputOnlyWindow::show()
{
    xcb_connection_t *connection = X11Connection::get();
    if (!m_window || !connection)
        return;
    xcb_map_window(connection, m_window);
    m_visible = true;
    raise();
}

void X11InputOnlyWindow::raise()
{
    xcb_connection_t *connection = X11Connection::get();
    if (!m_window || !connection || !m_visible)
        return;
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(connection, m_window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_flush(connection);
}

void X11InputOnlyWindow::hide()
{
    xcb_connection_t *connection = X11Connection::get();
    if (!m_window || !connection || !m_visible)
        return;
    xcb_unmap_window(connection, m_window);
    xcb_flush(connection);
    m_visible = false;
}

bool X11InputOnlyWindow::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    switch (event->response_type & 0x7f) {
    case XCB_ENTER_NOTIFY:
        if (reinterpret_cast<const xcb_enter_notify_event_t *>(event)->event == m_window) {
            emit pointerEntered();
            return true;
        }
        break;
    case XCB_BUTTON_PRESS:
        if (reinterpret_cast<const xcb_button_press_event_t *>(event)->event == m_window) {
            emit pressed();
            return true;
        }
        break;
    default: break;
    }
    return false;
}
