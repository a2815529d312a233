// Test helper: a program that takes the X11 clipboard and never answers a request for it, as
// a frozen editor or a virtual machine's window does. Usage: hung_clipboard_owner [RETAKE_MS]
// With RETAKE_MS it takes the clipboard again every RETAKE_MS milliseconds. Prints "ready"
// once it owns the clipboard and "request" for every request it leaves unanswered.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <time.h>

namespace {

long long nowMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1000LL + now.tv_nsec / 1000000;
}

xcb_atom_t clipboardAtom(xcb_connection_t *connection)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, 9, "CLIPBOARD"), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
}

} // namespace

int main(int argc, char **argv)
{
    const long long retakeMs = argc > 1 ? std::atoll(argv[1]) : 0;
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection))
        return 1;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const xcb_window_t window = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, 0, nullptr);
    const xcb_atom_t clipboard = clipboardAtom(connection);
    const auto take = [&] {
        xcb_set_selection_owner(connection, window, clipboard, XCB_CURRENT_TIME);
        xcb_flush(connection);
    };
    take();
    std::printf("ready\n");
    std::fflush(stdout);
    long long next = nowMs() + retakeMs;
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            if ((event->response_type & 0x7F) == XCB_SELECTION_REQUEST) {
                std::printf("request\n");
                std::fflush(stdout);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(connection))
            return 0;
        int timeout = -1;
        if (retakeMs > 0) {
            if (nowMs() >= next) {
                take();
                next += retakeMs;
            }
            timeout = int(next - nowMs());
        }
        pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
        poll(&fd, 1, timeout < 0 ? -1 : timeout);
    }
}
