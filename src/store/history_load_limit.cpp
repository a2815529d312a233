#include "history_load_limit.h"

#include "clip_history.h"
#include "clip_search_index.h"

#include <QSet>
#include <algorithm>

void HistoryLoadLimit::add(ClipItem &&item)
{
    std::vector<Candidate> &group = item.isPinned ? m_pinned : m_unpinned;
    const qsizetype room = item.isPinned ? kPinnedLimit : ClipHistory::kLimit;
    group.push_back({m_seen++, std::move(item)});
    // Pruned in batches, so each entry costs O(log room) on average.
    if (qsizetype(group.size()) >= 2 * room)
        keepNewest(group, room);
}

void HistoryLoadLimit::keepNewest(std::vector<Candidate> &candidates, qsizetype count)
{
    if (qsizetype(candidates.size()) <= count)
        return;
    // Newest first; equal times keep the file's order, as the page shows them.
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate &a, const Candidate &b) { return ClipSearchIndex::newer(a.item, b.item); });
    candidates.resize(size_t(count));
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate &a, const Candidate &b) { return a.position < b.position; });
}

QList<ClipItem> HistoryLoadLimit::take()
{
    keepNewest(m_pinned, kPinnedLimit);
    keepNewest(m_unpinned, std::max<qsizetype>(0, ClipHistory::kLimit - qsizetype(m_pinned.size())));
    std::vector<Candidate> kept;
    kept.reserve(m_pinned.size() + m_unpinned.size());
    std::merge(std::make_move_iterator(m_pinned.begin()), std::make_move_iterator(m_pinned.end()),
               std::make_move_iterator(m_unpinned.begin()), std::make_move_iterator(m_unpinned.end()),
               std::back_inserter(kept),
               [](const Candidate &a, const Candidate &b) { return a.position < b.position; });
    m_pinned.clear();
    m_unpinned.clear();
    m_keptCount = qsizetype(kept.size());

    QList<ClipItem> clips;
    clips.reserve(m_keptCount);
    QSet<QUuid> ids;
    for (Candidate &candidate : kept) {
        if (ids.contains(candidate.item.id))
            candidate.item.id = QUuid::createUuid();
        ids.insert(candidate.item.id);
        clips.append(std::move(candidate.item));
    }
    return clips;
}
