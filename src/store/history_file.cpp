#include "history_file.h"

#include "atomic_file.h"
#include "clip_json.h"
#include "persistence_queue.h"
#include "store_clock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

namespace {

// A history file can be megabytes of text, but never gigabytes.
constexpr qint64 kMaxHistoryFileBytes = qint64(1) << 30;

} // namespace

HistoryFile::HistoryFile(const QString &path, PersistenceQueue &queue, StoreClock &clock, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_queue(queue)
    , m_saveTimer(clock.createTimer(StoreClock::Repeat::once, [this] { writePending(); }))
{
}

HistoryFile::~HistoryFile()
{
    flush();
}

std::optional<QList<ClipItem>> HistoryFile::load()
{
    QByteArray data;
    const bool read = AtomicFile::readRegularFile(m_path, &data, kMaxHistoryFileBytes);
    std::optional<QList<ClipItem>> clips = read ? ClipJson::decodeClips(data) : std::nullopt;
    m_rejected = !clips && QFileInfo(m_path).isFile();
    return clips;
}

void HistoryFile::save(const QList<ClipItem> &clips)
{
    m_pending = clips;
    m_saveTimer->start(kSaveDelayMs); // a restart drops the earlier, not yet started write
}

bool HistoryFile::isSavePending() const
{
    return m_saveTimer->isActive();
}

void HistoryFile::flush()
{
    if (m_saveTimer->isActive()) {
        m_saveTimer->stop();
        writePending();
    }
    m_queue.drain();
}

void HistoryFile::writePending()
{
    if (!m_pending)
        return;
    const QByteArray data = ClipJson::encodeClips(*m_pending);
    m_pending.reset();
    const bool moveRejectedAside = m_rejected;
    m_rejected = false;
    QPointer<HistoryFile> self(this);
    m_queue.post([self, data, path = m_path, moveRejectedAside] {
        // A rejected file that cannot be kept aside is left alone rather than lost.
        if (moveRejectedAside && !AtomicFile::moveAside(path))
            return;
        AtomicFile::write(path, data, AtomicFile::Mode::OwnerOnly);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self] {
                if (self)
                    emit self->saved();
            },
            Qt::QueuedConnection);
    });
}
