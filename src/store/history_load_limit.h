#pragma once

#include "clip_item.h"

#include <QList>
#include <vector>

// What a history file's entries become at start-up: at most ClipHistory::kLimit of them,
// pinned ones first, then the newest by createdAt (a file edited by hand or grown by another
// program can hold any number). Entries are offered in the file's order, one at a time, and
// only the candidates are kept, so memory stays bounded however long the file is. Pinned
// entries beyond the limit are kept as in the running history, up to kPinnedLimit of them.
// Entries whose id repeats an earlier kept one get a fresh id: operations find entries by id.
class HistoryLoadLimit
{
public:
    static constexpr qsizetype kPinnedLimit = 1000;

    void add(ClipItem &&item);
    // The kept entries in the file's order.
    QList<ClipItem> take();
    // True when the file held entries that were not kept.
    bool dropped() const { return m_seen > m_keptCount; }

private:
    struct Candidate
    {
        qsizetype position;
        ClipItem item;
    };
    static void keepNewest(std::vector<Candidate> &candidates, qsizetype count);

    std::vector<Candidate> m_pinned;
    std::vector<Candidate> m_unpinned;
    qsizetype m_seen = 0;
    qsizetype m_keptCount = 0;
};
