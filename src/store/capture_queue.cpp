#include "capture_queue.h"

#include "clip_pictures.h"

#include <QCoreApplication>
#include <QPointer>

CaptureQueue::CaptureQueue(ClipPictures &pictures, QObject *parent)
    : QObject(parent)
    , m_pictures(pictures)
{
}

CaptureQueue::~CaptureQueue() = default;

void CaptureQueue::add(const ClipCapture::Capture &capture, bool ignoreSensitive)
{
    if (capture.picture) {
        const qint64 ticket = open();
        QPointer<CaptureQueue> self(this);
        m_pictures.capture(*capture.picture, [self, ticket](const std::optional<ClipItem> &entry) {
            if (self)
                self->fill(ticket, entry);
        });
    } else if (capture.entry) {
        fill(open(), capture.entry);
    } else if (capture.text) {
        const qint64 ticket = open();
        if (m_waiting.size() == 1 && capture.text->size() < kWorkerTextUnits) {
            fill(ticket, ClipCapture::textEntry(*capture.text, ignoreSensitive));
            return;
        }
        QPointer<CaptureQueue> self(this);
        m_analysis.post([self, ticket, text = *capture.text, ignoreSensitive] {
            const std::optional<ClipItem> entry = ClipCapture::textEntry(text, ignoreSensitive);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, ticket, entry] {
                    if (self)
                        self->fill(ticket, entry);
                },
                Qt::QueuedConnection);
        });
    }
}

qint64 CaptureQueue::open()
{
    const qint64 ticket = m_nextTicket++;
    m_waiting.emplace(ticket, std::nullopt);
    return ticket;
}

void CaptureQueue::fill(qint64 ticket, const std::optional<ClipItem> &entry)
{
    m_waiting[ticket] = entry;
    // Deliver from the oldest ticket while it is filled.
    while (!m_waiting.empty() && m_waiting.begin()->second) {
        const std::optional<ClipItem> ready = *m_waiting.begin()->second;
        m_waiting.erase(m_waiting.begin());
        if (ready)
            emit entryReady(*ready);
    }
}
