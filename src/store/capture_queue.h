#pragma once

#include "clip_capture.h"
#include "clip_item.h"
#include "persistence_queue.h"

#include <QObject>
#include <map>
#include <optional>

class ClipPictures;

// Hands captured entries to the history in the order their clipboard generations were read,
// whichever is ready first: a long text is classified and filtered on a worker thread
// ("com.quillo.capture"; the secret patterns take 50 to 150 ms per megabyte), a picture is
// stored on the persistence worker, anything else is ready at once. A short text is
// analysed on the spot when nothing is waiting before it.
class CaptureQueue : public QObject
{
    Q_OBJECT
public:
    // Texts of this many UTF-16 units or more are analysed on the worker.
    static constexpr qsizetype kWorkerTextUnits = 64 * 1024;

    // `pictures` must outlive this object.
    explicit CaptureQueue(ClipPictures &pictures, QObject *parent = nullptr);
    ~CaptureQueue() override;

    void add(const ClipCapture::Capture &capture, bool ignoreSensitive);
    // True when no capture is waiting to be delivered.
    bool isIdle() const { return m_waiting.empty(); }

signals:
    void entryReady(const ClipItem &entry);

private:
    qint64 open();
    void fill(qint64 ticket, const std::optional<ClipItem> &entry);

    ClipPictures &m_pictures;
    PersistenceQueue m_analysis{QStringLiteral("com.quillo.capture")};
    // Tickets not yet delivered; a filled one holds its outcome (an entry or nothing).
    std::map<qint64, std::optional<std::optional<ClipItem>>> m_waiting;
    qint64 m_nextTicket = 0;
};
