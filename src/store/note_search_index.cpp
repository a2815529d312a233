#include "note_search_index.h"

#include "text/text_file.h"

#include <QElapsedTimer>
#include <QSet>

namespace {

// A batch goes to the main thread after this many notes or this much time, whichever first.
constexpr int kBatchNotes = 256;
constexpr int kBatchMs = 50;

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
    QSet<QString> listed;
    listed.reserve(notes.size());
    QList<NoteFile> toRead;
    m_wanted.clear();
    for (const NoteFile &note : notes) {
        const QString path = note.path();
        listed.insert(path);
        const auto entry = m_entries.constFind(path);
        if (entry != m_entries.constEnd() && sameVersion(entry->size, entry->modifiedAt, note))
            continue;
        toRead.append(note);
        m_wanted.insert(path, note);
    }
    m_entries.removeIf([&listed](const auto &it) { return !listed.contains(it.key()); });
    m_alignedValid = false;
    if (toRead.isEmpty()) {
        emit updated();
        return;
    }
    m_cancelled = std::make_shared<std::atomic_bool>(false);
    const std::shared_ptr<std::atomic_bool> cancelled = m_cancelled;
    // The worker posts its results to this object's thread. The destructor waits for the
    // worker, and a result still queued then is dropped with the object.
    m_pool.start([this, toRead, cancelled] {
        readAll(toRead, cancelled, [this](Results results) {
            QMetaObject::invokeMethod(
                this, [this, results = std::move(results)] { merge(results); }, Qt::QueuedConnection);
        });
    });
}

void NoteSearchIndex::readAll(const QList<NoteFile> &notes, const std::shared_ptr<std::atomic_bool> &cancelled,
                              const std::function<void(Results)> &deliver)
{
    Results batch;
    QElapsedTimer sinceDelivery;
    sinceDelivery.start();
    for (const NoteFile &note : notes) {
        if (cancelled->load())
            return;
        const QString text = TextFile::readUtf8(note.path(), kIndexedBytes).value_or(QString());
        batch.append({note.path(), Entry{note.size, note.modifiedAt, searchKey(note.title() + u' ' + text)}});
        if (batch.size() >= kBatchNotes || sinceDelivery.elapsed() >= kBatchMs) {
            deliver(std::exchange(batch, {}));
            sinceDelivery.restart();
        }
    }
    if (!batch.isEmpty())
        deliver(std::move(batch));
}

void NoteSearchIndex::merge(const Results &results)
{
    for (const auto &[path, entry] : results) {
        m_entries.insert(path, entry);
        const auto wanted = m_wanted.constFind(path);
        if (wanted != m_wanted.constEnd() && sameVersion(entry.size, entry.modifiedAt, *wanted))
            m_wanted.erase(wanted);
    }
    m_alignedValid = false;
    emit updated();
}

const QString &NoteSearchIndex::textOf(const NoteFile &note) const
{
    static const QString none;
    const auto entry = m_entries.constFind(note.path());
    return entry != m_entries.constEnd() && sameVersion(entry->size, entry->modifiedAt, note) ? entry->text : none;
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
            const QString &text = textOf(note);
            m_alignedTexts.append(text.isNull() ? searchKey(note.title()) : text);
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
