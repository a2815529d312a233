#include "history_file.h"

#include "atomic_file.h"
#include "clip_json.h"
#include "history_load_limit.h"
#include "log_categories.h"
#include "persistence_queue.h"
#include "store_clock.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>

namespace {

// A history file can be megabytes of text, but never gigabytes.
constexpr qint64 kMaxHistoryFileBytes = qint64(1) << 30;

} // namespace

// The file on disk that must be kept before the next write replaces it.
struct HistoryFile::WorkerState
{
    QString asideLabel; // empty: nothing to keep
};

HistoryFile::HistoryFile(const QString &path, PersistenceQueue &queue, StoreClock &clock, QObject *parent)
    : QObject(parent)
    , m_path(path)
    , m_queue(queue)
    , m_saveTimer(clock.createTimer(StoreClock::Repeat::once, [this] { writePending(); }))
    , m_worker(std::make_shared<WorkerState>())
{
}

HistoryFile::~HistoryFile()
{
    flush();
}

std::optional<QList<ClipItem>> HistoryFile::load()
{
    QFile file(m_path);
    HistoryLoadLimit limit;
    const bool read = AtomicFile::openRegularFile(file, kMaxHistoryFileBytes)
                      && ClipJson::readClips(file, [&limit](ClipItem &&item) { limit.add(std::move(item)); });
    QString aside;
    std::optional<QList<ClipItem>> clips;
    if (read) {
        clips = limit.take();
        if (limit.dropped())
            aside = QStringLiteral("untrimmed");
    } else if (QFileInfo(m_path).isFile()) {
        aside = QStringLiteral("rejected");
        qCWarning(lcStore) << "cannot read" << m_path << "- starting with an empty history";
    }
    m_queue.drain(); // no write of an earlier load is under way
    m_worker->asideLabel = aside;
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
    QPointer<HistoryFile> self(this);
    // Encoding megabytes of text takes long enough to be felt: it is done on the worker too.
    m_queue.post([self, clips = std::exchange(m_pending, std::nullopt).value(), path = m_path, state = m_worker] {
        QString failure;
        if (!state->asideLabel.isEmpty()) {
            // A file that was not loaded whole is left alone rather than lost.
            if (AtomicFile::moveAside(path, state->asideLabel)) {
                state->asideLabel.clear();
            } else {
                failure = QStringLiteral("无法保留原来的历史文件");
                qCWarning(lcStore) << "cannot keep" << path << "aside; not overwriting it";
            }
        }
        if (failure.isEmpty()) {
            AtomicFile::write(path, ClipJson::encodeClips(clips), AtomicFile::Mode::OwnerOnly, &failure);
        }
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, failure] {
                if (self)
                    self->onWritten(failure);
            },
            Qt::QueuedConnection);
    });
}

void HistoryFile::onWritten(const QString &failure)
{
    if (failure != m_failure) {
        m_failure = failure;
        emit failureChanged();
    }
    emit saved();
}
