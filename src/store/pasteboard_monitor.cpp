#include "pasteboard_monitor.h"

#include "clip_capture.h"
#include "store_clock.h"

#include <QMetaObject>
#include <cmath>

PasteboardMonitor::PasteboardMonitor(Pasteboard *pasteboard, StoreClock &clock, QObject *parent)
    : QObject(parent)
    , m_pasteboard(pasteboard)
    , m_pollTimer(clock.createTimer(StoreClock::Repeat::repeating, [this] { check(); }))
{
    if (m_pasteboard)
        m_lastChangeCount = m_pasteboard->changeCount();
}

void PasteboardMonitor::start(double intervalSeconds)
{
    if (m_pasteboard)
        connect(m_pasteboard.data(), &Pasteboard::changed, this, &PasteboardMonitor::scheduleCheck,
                Qt::UniqueConnection);
    const bool sameRate = m_interval > 0 && std::abs(m_interval - intervalSeconds) <= 0.01;
    if (!sameRate)
        m_interval = intervalSeconds;
    if (m_pasteboard && m_pasteboard->announcesChanges()) {
        // Every change arrives as a signal: a poll would only wake the process for nothing.
        m_pollTimer->stop();
    } else if (!sameRate || !m_pollTimer->isActive()) {
        m_pollTimer->start(int(std::lround(m_interval * 1000)));
    }
}

bool PasteboardMonitor::isPolling() const
{
    return m_pollTimer->isActive();
}

// The check is queued, never run inside the signal: our own writes emit it synchronously,
// before the writer has called skipCurrentGeneration().
void PasteboardMonitor::scheduleCheck()
{
    QMetaObject::invokeMethod(this, &PasteboardMonitor::check, Qt::QueuedConnection);
}

void PasteboardMonitor::check()
{
    if (!m_pasteboard)
        return;
    const qint64 count = m_pasteboard->changeCount();
    if (count == m_lastChangeCount)
        return;
    // This generation is never looked at again, whatever happens below.
    m_lastChangeCount = count;
    const ClipCapture::Capture capture = ClipCapture::read(*m_pasteboard, m_ignoreSensitive);
    if (capture.picture || capture.entry || capture.text)
        emit captured(capture);
}

void PasteboardMonitor::skipCurrentGeneration()
{
    if (m_pasteboard)
        m_lastChangeCount = m_pasteboard->changeCount();
}
