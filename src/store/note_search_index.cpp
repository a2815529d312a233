#include "note_search_index.h"

#include "text/text_file.h"

#include <QElapsedTimer>
#include <QSet>

namespace {

// What has been read goes to the main thread this often (each delivery may refresh a search).
constexpr int kBatchMs = 200;

bool sameVersion(qint64 size, const QDateTime &modifiedAt, const NoteFile &note)
{
    return size == note.size && modifiedAt == note.modifiedAt;
}

} // namespace

NoteSearchIndex::NoteSearchIndex(QObject *parent)
    : QObject(parent)
{
    m_pool.setMaxThreadCount(1);
}

NoteSearchIndex::~NoteSearchIndex()
{
    if (m_cancelled)
        m_cancelled->store(true);
    m_pool.waitForDone();
}

QString NoteSearchIndex::searchKey(const QString &text)
{
    return text.toLower().normalized(QString::NormalizationForm_C);
}

void NoteSearchIndex::update(const QList<NoteFile> &notes)
{
    if (m_cancelled)
        m_cancelled->store(true);
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    m_complete = false;
    m_alignedValid = false;
    const Job job{notes, m_entries, m_cancelled, ++m_generation};
    // The worker posts its results to this object's thread. The destructor waits for the
    // worker, and a result still queued then is dropped with the object.
    m_pool.start([this, job] { run(job); });
}

// On the worker: reads the notes that the snapshot does not hold as they are now, then tells
// which paths are still listed.
void NoteSearchIndex::run(const Job &job)
{
    const auto deliver = [this, generation = job.generation](Results results, QSet<QString> listed, bool last) {
        QMetaObject::invokeMethod(
            this,
            [this, generation, results = std::move(results), listed = std::move(listed), last] {
                merge(generation, results, listed, last);
            },
            Qt::QueuedConnection);
    };
    Results batch;
    QSet<QString> listed;
    listed.reserve(job.notes.size());
    QElapsedTimer sinceDelivery;
    sinceDelivery.start();
    for (const NoteFile &note : job.notes) {
        if (job.cancelled->load())
            return;
        const QString path = note.path();
        listed.insert(path);
        const auto known = job.known.constFind(path);
        if (known != job.known.constEnd() && sameVersion(known->size, known->modifiedAt, note))
            continue;
        const QString text = TextFile::readUtf8(path, kIndexedBytes).value_or(QString());
        batch.append({path, Entry{note.size, note.modifiedAt, searchKey(note.title() + u' ' + text),
                                  NoteCardSummary::fromText(text.left(NoteCardSummary::kReadBytes), note.title())}});
        if (sinceDelivery.elapsed() >= kBatchMs) {
            deliver(std::exchange(batch, {}), {}, false);
            sinceDelivery.restart();
        }
    }
    deliver(std::move(batch), std::move(listed), true);
}

// On the main thread. Entries of a superseded update are still good (each carries the version
// it was read from); only the end of the current update prunes and completes.
void NoteSearchIndex::merge(int generation, const Results &results, const QSet<QString> &listed, bool last)
{
    for (const auto &[path, entry] : results)
        m_entries.insert(path, entry);
    if (last && generation == m_generation) {
        m_entries.removeIf([&listed](const auto &it) { return !listed.contains(it.key()); });
        m_complete = true;
    }
    m_alignedValid = false;
    emit updated();
}

const NoteSearchIndex::Entry *NoteSearchIndex::entryOf(const NoteFile &note) const
{
    const auto entry = m_entries.constFind(note.path());
    return entry != m_entries.constEnd() && sameVersion(entry->size, entry->modifiedAt, note) ? &*entry : nullptr;
}

std::optional<NoteCardSummary> NoteSearchIndex::summaryOf(const NoteFile &note) const
{
    const Entry *entry = entryOf(note);
    return entry ? std::optional(entry->summary) : std::nullopt;
}

QList<NoteFile> NoteSearchIndex::filter(const QList<NoteFile> &notes, const QString &query) const
{
    const QString key = searchKey(query.trimmed());
    if (key.isEmpty())
        return notes;
    if (!m_alignedValid || m_alignedNotes.size() != notes.size() || m_alignedNotes.constData() != notes.constData()) {
        m_alignedNotes = notes;
        m_alignedTexts.clear();
        m_alignedTexts.reserve(notes.size());
        for (const NoteFile &note : notes) {
            const Entry *entry = entryOf(note);
            m_alignedTexts.append(entry ? entry->text : searchKey(note.title()));
        }
        m_alignedValid = true;
    }
    QList<NoteFile> result;
    for (qsizetype i = 0; i < m_alignedTexts.size(); ++i) {
        if (m_alignedTexts.at(i).contains(key))
            result.append(m_alignedNotes.at(i));
    }
    return result;
}
