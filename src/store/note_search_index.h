#pragma once

#include "markdown/note_card_summary.h"
#include "note_file.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>
#include <QString>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// The notes search: each note's file name, one space and the first MiB of its text, compared
// lower-cased and in Unicode normal form C (so "café" finds a name written with a decomposed
// é). The texts are read on a worker thread, newest note first, so a folder of thousands of
// notes never blocks the panel; until a note has been read only its name is searched, and
// `updated` says when more is known. A note is read again only when its size or date changed,
// and the work of finding which ones is done on the worker too: the main thread only swaps
// lists. The same read gives each note's card summary, so the list can size its cards without
// reading files on the main thread.
class NoteSearchIndex : public QObject
{
    Q_OBJECT
public:
    static constexpr qint64 kIndexedBytes = qint64(1) << 20;

    explicit NoteSearchIndex(QObject *parent = nullptr);
    ~NoteSearchIndex() override; // stops the worker and waits for it

    // Starts reading the notes of `notes` not yet indexed as they are now; forgets the others.
    void update(const QList<NoteFile> &notes);
    // The notes whose search text contains `query` trimmed; all of them for a blank query.
    QList<NoteFile> filter(const QList<NoteFile> &notes, const QString &query) const;
    // Every note of the last update has been read.
    bool isComplete() const { return m_complete; }
    // The note's card summary as read, or nothing while this version of it has not been read.
    std::optional<NoteCardSummary> summaryOf(const NoteFile &note) const;

signals:
    void updated();

private:
    struct Entry
    {
        qint64 size = -1;
        QDateTime modifiedAt;
        QString text; // the search key of "<file name> <text>"
        NoteCardSummary summary;
    };
    using Entries = QHash<QString, Entry>; // by path
    using Results = QList<std::pair<QString, Entry>>;
    struct Job
    {
        QList<NoteFile> notes;
        Entries known; // a snapshot of the entries when the job was posted
        std::shared_ptr<std::atomic_bool> cancelled;
        int generation = 0;
    };

    static QString searchKey(const QString &text);
    void run(const Job &job);
    void merge(int generation, const Results &results, const QSet<QString> &listed, bool last);
    const Entry *entryOf(const NoteFile &note) const;

    QThreadPool m_pool;
    std::shared_ptr<std::atomic_bool> m_cancelled;
    Entries m_entries;
    int m_generation = 0;
    bool m_complete = true;

    // The search texts in the order of the last filtered list, reused while neither that list
    // nor the entries change (the copy shares the list's data, so a new list has another address).
    mutable QList<NoteFile> m_alignedNotes;
    mutable QList<QString> m_alignedTexts;
    mutable bool m_alignedValid = false;
};
