// Moves a Wayland compositor's own pointer, as a mouse would: KWin through its fake-input
// protocol, Mutter through its RemoteDesktop D-Bus interface, sway through wlroots' virtual
// pointer.
// Runs inside the session (as its user, with its environment). Reads commands from stdin,
// one per line, and answers "ok" once the compositor has taken each:
//   move X Y   puts the pointer at the global position (X, Y)
//   click      presses and releases the left button
// Usage: pointer_driver kwin|mutter|sway
#include "fake-input-client-protocol.h"
#include "virtual-pointer-client-protocol.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QPoint>

#include <wayland-client.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>

namespace {

constexpr uint32_t kLeftButton = 0x110; // BTN_LEFT

class Driver
{
public:
    virtual ~Driver() = default;
    virtual bool moveTo(QPoint target) = 0;
    virtual bool click() = 0;
};

// The relative motions that take the pointer from `from` to `to`: a jump that ends a pixel
// short, then a one-pixel step. Where a jump crosses into another X window, the compositor
// hands XWayland the enter (with the position) and the jump's relative motion, and XWayland
// may apply that motion again at the next frame, moving the X pointer off the window right
// under the next click. The step's own frame carries the position and puts it back.
template <typename Motion> void jumpThenStep(QPoint from, QPoint to, Motion motion)
{
    const QPoint step(to.x() > 0 ? 1 : -1, 0);
    motion(to - step - from);
    motion(step);
}

// Moves by relative motion, as a mouse does: the compositor then also reports relative
// motion to XWayland, which changes how XWayland reports crossings. The pointer is pushed
// into the top-left corner first, then moved by differences.
class RelativeDriver : public Driver
{
public:
    bool moveTo(QPoint target) override
    {
        if (!m_homed) {
            motion(-100000, -100000);
            m_homed = true;
        }
        jumpThenStep(m_position, target, [this](QPoint delta) { motion(delta.x(), delta.y()); });
        m_position = target;
        return wl_display_roundtrip(m_display) >= 0;
    }

    bool click() override
    {
        button(WL_POINTER_BUTTON_STATE_PRESSED);
        button(WL_POINTER_BUTTON_STATE_RELEASED);
        return wl_display_roundtrip(m_display) >= 0;
    }

protected:
    virtual void motion(int dx, int dy) = 0;
    virtual void button(uint32_t state) = 0;
    // Binds the named global; false without a compositor or that global.
    bool bind(const wl_interface *interface, uint32_t version)
    {
        m_wanted = interface;
        m_wantedVersion = version;
        m_display = wl_display_connect(nullptr);
        if (!m_display)
            return false;
        wl_registry *registry = wl_display_get_registry(m_display);
        static const wl_registry_listener listener = {
            [](void *data, wl_registry *registry, uint32_t name, const char *interface, uint32_t version) {
                auto *self = static_cast<RelativeDriver *>(data);
                if (std::strcmp(interface, self->m_wanted->name) == 0)
                    self->m_bound =
                        wl_registry_bind(registry, name, self->m_wanted, std::min(version, self->m_wantedVersion));
                else if (std::strcmp(interface, wl_seat_interface.name) == 0 && !self->m_seat)
                    self->m_seat = static_cast<wl_seat *>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
            },
            [](void *, wl_registry *, uint32_t) {}};
        wl_registry_add_listener(registry, &listener, this);
        wl_display_roundtrip(m_display);
        return m_bound != nullptr;
    }
    uint32_t now() const { return uint32_t(m_clock.elapsed()); }

    wl_display *m_display = nullptr;
    wl_seat *m_seat = nullptr;
    void *m_bound = nullptr;

private:
    const wl_interface *m_wanted = nullptr;
    uint32_t m_wantedVersion = 1;
    QPoint m_position;
    bool m_homed = false;
    QElapsedTimer m_clock = [] {
        QElapsedTimer clock;
        clock.start();
        return clock;
    }();
};

class KWinDriver : public RelativeDriver
{
public:
    bool connect()
    {
        if (!bind(&org_kde_kwin_fake_input_interface, 1))
            return false;
        m_input = static_cast<org_kde_kwin_fake_input *>(m_bound);
        org_kde_kwin_fake_input_authenticate(m_input, "quillo tests", "moves the pointer in end-to-end tests");
        return wl_display_roundtrip(m_display) >= 0;
    }

protected:
    void motion(int dx, int dy) override
    {
        org_kde_kwin_fake_input_pointer_motion(m_input, wl_fixed_from_int(dx), wl_fixed_from_int(dy));
    }
    void button(uint32_t state) override { org_kde_kwin_fake_input_button(m_input, kLeftButton, state); }

private:
    org_kde_kwin_fake_input *m_input = nullptr;
};

// wlroots' virtual pointer. A headless sway has no input device of its own: without this
// one its seat has no pointer at all, and `swaymsg seat - cursor` moves reach no client.
class SwayDriver : public RelativeDriver
{
public:
    bool connect()
    {
        if (!bind(&zwlr_virtual_pointer_manager_v1_interface, 1))
            return false;
        m_pointer = zwlr_virtual_pointer_manager_v1_create_virtual_pointer(
            static_cast<zwlr_virtual_pointer_manager_v1 *>(m_bound), m_seat);
        return wl_display_roundtrip(m_display) >= 0;
    }

protected:
    void motion(int dx, int dy) override
    {
        zwlr_virtual_pointer_v1_motion(m_pointer, now(), wl_fixed_from_int(dx), wl_fixed_from_int(dy));
        zwlr_virtual_pointer_v1_frame(m_pointer);
    }
    void button(uint32_t state) override
    {
        zwlr_virtual_pointer_v1_button(m_pointer, now(), kLeftButton, state);
        zwlr_virtual_pointer_v1_frame(m_pointer);
    }

private:
    zwlr_virtual_pointer_v1 *m_pointer = nullptr;
};

// Mutter offers relative motion only without a screen-cast stream: the pointer is pushed
// into the top-left corner first, then moved by the difference.
class MutterDriver : public Driver
{
public:
    bool connect()
    {
        QDBusInterface remote(QStringLiteral("org.gnome.Mutter.RemoteDesktop"),
                              QStringLiteral("/org/gnome/Mutter/RemoteDesktop"),
                              QStringLiteral("org.gnome.Mutter.RemoteDesktop"));
        const QDBusReply<QDBusObjectPath> path = remote.call(QStringLiteral("CreateSession"));
        if (!path.isValid()) {
            std::fprintf(stderr, "pointer_driver: %s\n", qPrintable(path.error().message()));
            return false;
        }
        m_session =
            std::make_unique<QDBusInterface>(QStringLiteral("org.gnome.Mutter.RemoteDesktop"), path.value().path(),
                                             QStringLiteral("org.gnome.Mutter.RemoteDesktop.Session"));
        if (!m_session->call(QStringLiteral("Start")).errorMessage().isEmpty())
            return false;
        return relative(-100000, -100000);
    }

    bool moveTo(QPoint target) override
    {
        bool sent = true;
        jumpThenStep(m_position, target, [&](QPoint delta) { sent = sent && relative(delta.x(), delta.y()); });
        m_position = target;
        return sent;
    }

    bool click() override
    {
        return call(QStringLiteral("NotifyPointerButton"), {int(kLeftButton), true})
               && call(QStringLiteral("NotifyPointerButton"), {int(kLeftButton), false});
    }

private:
    bool relative(double dx, double dy) { return call(QStringLiteral("NotifyPointerMotionRelative"), {dx, dy}); }
    bool call(const QString &method, const QVariantList &arguments)
    {
        const QDBusMessage reply = m_session->callWithArgumentList(QDBus::Block, method, arguments);
        if (reply.type() == QDBusMessage::ErrorMessage) {
            std::fprintf(stderr, "pointer_driver: %s\n", qPrintable(reply.errorMessage()));
            return false;
        }
        return true;
    }

    std::unique_ptr<QDBusInterface> m_session;
    QPoint m_position;
};

std::unique_ptr<Driver> makeDriver(const std::string &kind)
{
    if (kind == "kwin") {
        auto driver = std::make_unique<KWinDriver>();
        return driver->connect() ? std::move(driver) : nullptr;
    }
    if (kind == "mutter") {
        auto driver = std::make_unique<MutterDriver>();
        return driver->connect() ? std::move(driver) : nullptr;
    }
    if (kind == "sway") {
        auto driver = std::make_unique<SwayDriver>();
        return driver->connect() ? std::move(driver) : nullptr;
    }
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const std::unique_ptr<Driver> driver = makeDriver(argc > 1 ? argv[1] : "");
    if (!driver) {
        std::fputs("pointer_driver: cannot reach the compositor's pointer\n", stderr);
        return 1;
    }
    std::cout << "ready" << std::endl;
    std::string command;
    while (std::cin >> command) {
        bool done = false;
        if (command == "move") {
            int x = 0;
            int y = 0;
            std::cin >> x >> y;
            done = driver->moveTo(QPoint(x, y));
        } else if (command == "click") {
            done = driver->click();
        }
        std::cout << (done ? "ok" : "failed") << std::endl;
    }
    return 0;
}
