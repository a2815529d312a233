#pragma once

#include "clip_capture.h"
#include "pasteboard.h"
#include "store_clock.h"

#include <QObject>
#include <QPointer>
#include <memory>

// Watches the clipboard and turns each new generation into at most one capture. A
// generation is looked at once, whatever it holds: right after the clipboard announces a
// change, and at each poll where it cannot announce them. Content that was already on the
// clipboard when the monitor was made is never captured.
class PasteboardMonitor : public QObject
{
    Q_OBJECT
public:
    static constexpr double kShownInterval = 0.9;     // seconds, while the panel is out
    static constexpr double kCollapsedInterval = 1.8; // seconds, while it is collapsed

    // The clock must outlive this object.
    PasteboardMonitor(Pasteboard *pasteboard, StoreClock &clock, QObject *parent = nullptr);

    // Starts watching at the given poll rate, or changes the rate (a change within 0.01 s
    // restarts nothing). The timer runs only while the clipboard does not announce changes.
    void start(double intervalSeconds);
    double interval() const { return m_interval; }
    bool isPolling() const;

    void setIgnoreSensitive(bool ignore) { m_ignoreSensitive = ignore; }
    // Looks at the clipboard's current generation, unless it was looked at before.
    void check();
    // The current generation is our own write: it is never captured.
    void skipCurrentGeneration();

signals:
    // What a new generation held (see ClipCapture); never an empty capture.
    void captured(const ClipCapture::Capture &capture);

private:
    void scheduleCheck();

    QPointer<Pasteboard> m_pasteboard;
    std::unique_ptr<StoreTimer> m_pollTimer;
    double m_interval = 0;
    qint64 m_lastChangeCount = 0;
    bool m_ignoreSensitive = true;
};
