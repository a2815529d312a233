// The compositor status on a private Xvfb: another client claims and gives up the
// compositing manager's selection, as a compositor does when it starts and stops.
#include "platform/x11_compositor_status.h"
#include "test_main.h"

#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <xcb/xcb.h>

namespace {

// A stand-in compositor: its own connection and window, owning _NET_WM_CM_S<screen>.
class FakeCompositor
{
public:
    FakeCompositor()
        : m_connection(xcb_connect(nullptr, &m_screen))
    {
    }
    ~FakeCompositor() { xcb_disconnect(m_connection); }

    bool claim()
    {
        if (xcb_connection_has_error(m_connection))
            return false;
        const xcb_setup_t *setup = xcb_get_setup(m_connection);
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
        for (int i = 0; i < m_screen; ++i)
            xcb_screen_next(&screens);
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screens.data->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(m_screen);
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(name.size()), name.constData()), nullptr);
        if (!atom)
            return false;
        xcb_set_selection_owner(m_connection, m_window, atom->atom, XCB_CURRENT_TIME);
        std::free(atom);
        return xcb_flush(m_connection) > 0;
    }

    // The window goes away, as when a compositor exits.
    void quit()
    {
        xcb_destroy_window(m_connection, m_window);
        xcb_flush(m_connection);
    }

private:
    int m_screen = 0;
    xcb_connection_t *m_connection;
    xcb_window_t m_window = XCB_WINDOW_NONE;
};

} // namespace

class TestX11CompositorStatus : public QObject
{
    Q_OBJECT
private slots:
    void followsTheSelectionOwner()
    {
        X11CompositorStatus status;
        QVERIFY(!status.isComposited()); // a bare Xvfb
        QSignalSpy changed(&status, &CompositorStatus::compositingChanged);

        FakeCompositor compositor;
        QVERIFY(compositor.claim());
        QTRY_VERIFY_WITH_TIMEOUT(status.isComposited(), 3000);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).toBool(), true);

        compositor.quit();
        QTRY_VERIFY_WITH_TIMEOUT(!status.isComposited(), 3000);
        QCOMPARE(changed.size(), 2);
    }
};

QUILLO_TEST_X11_MAIN(TestX11CompositorStatus)
#include "tst_x11_compositor_status.moc"
