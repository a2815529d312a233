#pragma once

#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <cstdlib>
#include <xcb/xcb.h>

// The X screen as the user sees it, through a connection of the test's own: pictures of the
// root window (what the compositor drew, when one runs) and the sizes at which top-level
// windows were first mapped.
class XScreen
{
public:
    XScreen()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
    }
    ~XScreen() { xcb_disconnect(m_connection); }
    XScreen(const XScreen &) = delete;
    XScreen &operator=(const XScreen &) = delete;

    bool isOpen() const { return m_root != 0; }

    QImage grab(const QRect &area) const
    {
        xcb_get_image_reply_t *reply =
            xcb_get_image_reply(m_connection,
                                xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root, int16_t(area.x()),
                                              int16_t(area.y()), uint16_t(area.width()), uint16_t(area.height()), ~0u),
                                nullptr);
        if (!reply)
            return {};
        const QImage image(xcb_get_image_data(reply), area.width(), area.height(), area.width() * 4,
                           QImage::Format_RGB32);
        QImage copy = image.copy();
        std::free(reply);
        return copy;
    }

    // The size of every window mapped as a child of the root (with a window manager: the
    // frames) at the moment it was first mapped, in the order they were mapped. Only what
    // happened since construction is seen.
    QList<QSize> firstMapSizes()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            record(event);
            std::free(event);
        }
        return m_firstMaps;
    }

private:
    struct Known
    {
        xcb_window_t window;
        QSize size;
        bool mapped;
    };

    Known &known(xcb_window_t window)
    {
        for (Known &entry : m_known)
            if (entry.window == window)
                return entry;
        m_known.append({window, {}, false});
        return m_known.last();
    }

    void record(const xcb_generic_event_t *event)
    {
        switch (event->response_type & 0x7f) {
        case XCB_CREATE_NOTIFY: {
            const auto *create = reinterpret_cast<const xcb_create_notify_event_t *>(event);
            known(create->window).size = QSize(create->width, create->height);
            break;
        }
        case XCB_CONFIGURE_NOTIFY: {
            const auto *configure = reinterpret_cast<const xcb_configure_notify_event_t *>(event);
            known(configure->window).size = QSize(configure->width, configure->height);
            break;
        }
        case XCB_MAP_NOTIFY: {
            Known &entry = known(reinterpret_cast<const xcb_map_notify_event_t *>(event)->window);
            if (!entry.mapped)
                m_firstMaps << entry.size;
            entry.mapped = true;
            break;
        }
        default: break;
        }
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root = 0;
    QList<Known> m_known;
    QList<QSize> m_firstMaps;
};
