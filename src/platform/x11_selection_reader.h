#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <chrono>
#include <deque>
#include <optional>

#include <xcb/xcb.h>

// Reads the X11 CLIPBOARD selection over a connection of its own, for one thread: never the
// GUI thread, since every read waits on the owning program. It also receives the XFixes
// notification of each new owner. While it waits for an answer, a new owner ends the wait
// ("interrupted"); the notification is kept for ownerChange().
//
// Each conversion asks for the selection as of the owner's own timestamp: once another
// program has taken the clipboard, the X server refuses the request itself instead of
// passing it to the new owner, so data of one owner is never read under another's formats.
class X11SelectionReader
{
public:
    using Clock = std::chrono::steady_clock;

    struct OwnerChange
    {
        xcb_window_t owner = XCB_NONE; // none: the owner went away
        xcb_timestamp_t time = XCB_CURRENT_TIME;
    };
    enum class Outcome
    {
        data,        // the bytes are in *data
        refused,     // the owner (or the server) said no, or sent nothing usable
        timedOut,    // no answer before the deadline
        interrupted, // another owner took the clipboard meanwhile
        stopped,     // stop() was called, or the connection broke
    };

    X11SelectionReader();
    ~X11SelectionReader();
    X11SelectionReader(const X11SelectionReader &) = delete;
    X11SelectionReader &operator=(const X11SelectionReader &) = delete;

    // False without an X server, or one without XFixes.
    bool isValid() const { return m_window != XCB_NONE; }
    // Ends any wait at once; safe from any thread.
    void stop();

    // The next owner change, waiting up to the deadline (or for ever without one).
    std::optional<OwnerChange> ownerChange(std::optional<Clock::time_point> deadline);
    // The selection of `change` converted to `target`, at most maxBytes of it.
    Outcome convert(const OwnerChange &change, xcb_atom_t target, Clock::time_point deadline, qint64 maxBytes,
                    QByteArray *data, xcb_atom_t *type = nullptr);
    // The formats offered, as atoms (from the TARGETS conversion's data).
    static QList<xcb_atom_t> atomsOf(const QByteArray &data);

    QString atomName(xcb_atom_t atom);
    xcb_atom_t atom(const QByteArray &name);

private:
    enum class Wait
    {
        event,
        timedOut,
        stopped
    };
    Wait nextEvent(std::optional<Clock::time_point> deadline, xcb_generic_event_t **event);
    bool takeOwnerChange(xcb_generic_event_t *event);
    Outcome readProperty(xcb_atom_t property, Clock::time_point deadline, qint64 maxBytes, QByteArray *data,
                         xcb_atom_t *type);
    Outcome readIncrementally(xcb_atom_t property, Clock::time_point deadline, qint64 maxBytes, QByteArray *data);
    bool getProperty(xcb_atom_t property, QByteArray *data, xcb_atom_t *type);

    xcb_connection_t *m_connection = nullptr;
    xcb_window_t m_window = XCB_NONE;
    uint8_t m_xfixesEvent = 0;
    int m_wakeFd = -1;
    xcb_atom_t m_clipboard = XCB_NONE;
    xcb_atom_t m_incr = XCB_NONE;
    QList<xcb_atom_t> m_properties; // rotated, so that a late answer to an abandoned request is told apart
    int m_nextProperty = 0;
    std::deque<OwnerChange> m_changes;
    QHash<xcb_atom_t, QString> m_names;
    QHash<QByteArray, xcb_atom_t> m_atoms;
};
