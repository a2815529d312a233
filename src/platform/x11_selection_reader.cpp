#include "platform/x11_selection_reader.h"

#include <xcb/xfixes.h>

#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

template <typename Reply> struct Freed
{
    Reply *reply;
    ~Freed() { std::free(reply); }
    Reply *operator->() const { return reply; }
    explicit operator bool() const { return reply != nullptr; }
};

int millisecondsUntil(X11SelectionReader::Clock::time_point deadline)
{
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - X11SelectionReader::Clock::now());
    return int(
        std::max<std::chrono::milliseconds::rep>(0, std::min<std::chrono::milliseconds::rep>(left.count(), 60000)));
}

} // namespace

X11SelectionReader::X11SelectionReader()
{
    m_connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(m_connection))
        return;
    const xcb_query_extension_reply_t *xfixes = xcb_get_extension_data(m_connection, &xcb_xfixes_id);
    if (!xfixes || !xfixes->present)
        return;
    // XFixes must be told the version we speak before its requests work.
    Freed<xcb_xfixes_query_version_reply_t> version{xcb_xfixes_query_version_reply(
        m_connection, xcb_xfixes_query_version(m_connection, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION),
        nullptr)};
    if (!version)
        return;
    m_xfixesEvent = xfixes->first_event + XCB_XFIXES_SELECTION_NOTIFY;
    m_clipboard = atom("CLIPBOARD");
    m_incr = atom("INCR");
    for (int i = 0; i < 4; ++i)
        m_properties << atom("QUILLO_CLIPBOARD_" + QByteArray::number(i));

    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    const xcb_window_t window = xcb_generate_id(m_connection);
    const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE; // for INCR transfers
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_ONLY, screen->root_visual, XCB_CW_EVENT_MASK, &events);
    xcb_xfixes_select_selection_input(m_connection, window, m_clipboard,
                                      XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER
                                          | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY
                                          | XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
    xcb_flush(m_connection);
    m_wakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd >= 0)
        m_window = window;
}

X11SelectionReader::~X11SelectionReader()
{
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
    xcb_disconnect(m_connection);
}

void X11SelectionReader::stop()
{
    if (m_wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = ::write(m_wakeFd, &one, sizeof one);
    }
}

X11SelectionReader::Wait X11SelectionReader::nextEvent(std::optional<Clock::time_point> deadline,
                                                       xcb_generic_event_t **event)
{
    for (;;) {
        if ((*event = xcb_poll_for_event(m_connection)))
            return Wait::event;
        if (xcb_connection_has_error(m_connection))
            return Wait::stopped;
        if (deadline && Clock::now() >= *deadline)
            return Wait::timedOut;
        pollfd fds[2] = {{xcb_get_file_descriptor(m_connection), POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        ::poll(fds, 2, deadline ? millisecondsUntil(*deadline) : -1);
        if (fds[1].revents & POLLIN)
            return Wait::stopped; // the wake-up stays readable: every later wait ends too
    }
}

bool X11SelectionReader::takeOwnerChange(xcb_generic_event_t *event)
{
    if ((event->response_type & 0x7F) != m_xfixesEvent)
        return false;
    const auto *notify = reinterpret_cast<xcb_xfixes_selection_notify_event_t *>(event);
    if (notify->selection == m_clipboard)
        m_changes.push_back({notify->owner, notify->selection_timestamp});
    return true;
}

std::optional<X11SelectionReader::OwnerChange>
X11SelectionReader::ownerChange(std::optional<Clock::time_point> deadline)
{
    while (m_changes.empty()) {
        xcb_generic_event_t *event = nullptr;
        if (nextEvent(deadline, &event) != Wait::event)
            return std::nullopt;
        takeOwnerChange(event);
        std::free(event);
    }
    const OwnerChange change = m_changes.front();
    m_changes.pop_front();
    return change;
}

X11SelectionReader::Outcome X11SelectionReader::convert(const OwnerChange &change, xcb_atom_t target,
                                                        Clock::time_point deadline, qint64 maxBytes, QByteArray *data,
                                                        xcb_atom_t *type)
{
    if (!m_changes.empty())
        return Outcome::interrupted;
    const xcb_atom_t property = m_properties[m_nextProperty++ % m_properties.size()];
    xcb_delete_property(m_connection, m_window, property);
    xcb_convert_selection(m_connection, m_window, m_clipboard, target, property, change.time);
    xcb_flush(m_connection);
    for (;;) {
        xcb_generic_event_t *event = nullptr;
        const Wait wait = nextEvent(deadline, &event);
        if (wait != Wait::event)
            return wait == Wait::timedOut ? Outcome::timedOut : Outcome::stopped;
        const bool ownerChanged = takeOwnerChange(event);
        std::optional<xcb_atom_t> answered;
        if ((event->response_type & 0x7F) == XCB_SELECTION_NOTIFY) {
            const auto *notify = reinterpret_cast<xcb_selection_notify_event_t *>(event);
            // A late answer to an abandoned request names another property or target.
            if (notify->requestor == m_window && notify->selection == m_clipboard && notify->target == target
                && (notify->property == property || notify->property == XCB_NONE))
                answered = notify->property;
        }
        std::free(event);
        if (ownerChanged)
            return Outcome::interrupted;
        if (answered)
            return *answered == XCB_NONE ? Outcome::refused : readProperty(property, deadline, maxBytes, data, type);
    }
}

bool X11SelectionReader::getProperty(xcb_atom_t property, QByteArray *data, xcb_atom_t *type)
{
    // The whole value in one reply, deleted as it is read (which also asks an INCR sender
    // for its next piece).
    Freed<xcb_get_property_reply_t> reply{xcb_get_property_reply(
        m_connection,
        xcb_get_property(m_connection, 1, m_window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, UINT32_MAX / 4), nullptr)};
    if (!reply)
        return false;
    const int length = xcb_get_property_value_length(reply.reply);
    *data = QByteArray(static_cast<const char *>(xcb_get_property_value(reply.reply)), length);
    if (type)
        *type = reply->type;
    return true;
}

X11SelectionReader::Outcome X11SelectionReader::readProperty(xcb_atom_t property, Clock::time_point deadline,
                                                             qint64 maxBytes, QByteArray *data, xcb_atom_t *type)
{
    xcb_atom_t valueType = XCB_NONE;
    QByteArray value;
    if (!getProperty(property, &value, &valueType))
        return Outcome::refused;
    if (type)
        *type = valueType;
    if (valueType == m_incr)
        return readIncrementally(property, deadline, maxBytes, data);
    if (value.size() > maxBytes)
        return Outcome::refused;
    *data = value;
    return Outcome::data;
}

// ICCCM's INCR transfer: the owner puts one piece after another into the property, each
// after we deleted the previous one, and ends with an empty piece. Each piece gets the
// time the whole read had.
X11SelectionReader::Outcome X11SelectionReader::readIncrementally(xcb_atom_t property, Clock::time_point deadline,
                                                                  qint64 maxBytes, QByteArray *data)
{
    const auto budget = deadline - Clock::now();
    Clock::time_point pieceDeadline = Clock::now() + budget;
    data->clear();
    for (;;) {
        xcb_generic_event_t *event = nullptr;
        const Wait wait = nextEvent(pieceDeadline, &event);
        if (wait != Wait::event)
            return wait == Wait::timedOut ? Outcome::timedOut : Outcome::stopped;
        const bool ownerChanged = takeOwnerChange(event);
        bool piece = false;
        if ((event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY) {
            const auto *notify = reinterpret_cast<xcb_property_notify_event_t *>(event);
            piece = notify->window == m_window && notify->atom == property && notify->state == XCB_PROPERTY_NEW_VALUE;
        }
        std::free(event);
        if (ownerChanged)
            return Outcome::interrupted;
        if (!piece)
            continue;
        QByteArray chunk;
        if (!getProperty(property, &chunk, nullptr))
            return Outcome::refused;
        if (chunk.isEmpty())
            return Outcome::data;
        if (data->size() + chunk.size() > maxBytes) {
            data->clear();
            return Outcome::refused;
        }
        data->append(chunk);
        pieceDeadline = Clock::now() + budget;
    }
}

QList<xcb_atom_t> X11SelectionReader::atomsOf(const QByteArray &data)
{
    QList<xcb_atom_t> atoms;
    for (qsizetype i = 0; i + qsizetype(sizeof(xcb_atom_t)) <= data.size(); i += sizeof(xcb_atom_t)) {
        xcb_atom_t atom;
        std::memcpy(&atom, data.constData() + i, sizeof atom);
        atoms << atom;
    }
    return atoms;
}

QString X11SelectionReader::atomName(xcb_atom_t atom)
{
    const auto cached = m_names.constFind(atom);
    if (cached != m_names.cend())
        return *cached;
    Freed<xcb_get_atom_name_reply_t> reply{
        xcb_get_atom_name_reply(m_connection, xcb_get_atom_name(m_connection, atom), nullptr)};
    const QString name =
        reply ? QString::fromLatin1(xcb_get_atom_name_name(reply.reply), xcb_get_atom_name_name_length(reply.reply))
              : QString();
    m_names.insert(atom, name);
    return name;
}

xcb_atom_t X11SelectionReader::atom(const QByteArray &name)
{
    const auto cached = m_atoms.constFind(name);
    if (cached != m_atoms.cend())
        return *cached;
    Freed<xcb_intern_atom_reply_t> reply{xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, uint16_t(name.size()), name.constData()), nullptr)};
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    if (atom != XCB_NONE)
        m_atoms.insert(name, atom);
    return atom;
}
