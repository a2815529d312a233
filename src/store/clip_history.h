#pragma once

#include "clip_item.h"
#include "clip_search_index.h"

#include <QList>
#include <QString>
#include <QUuid>

class ClipPictures;

// The clipboard history's entries and the operations on them. The list keeps its stored order
// (captures are added at the front); the page shows filtered(). Entries that leave the history
// take their stored pictures with them. Not an observable: the owner announces changes.
class ClipHistory
{
public:
    static constexpr int kLimit = 100;

    // `pictures` must outlive this object.
    explicit ClipHistory(ClipPictures &pictures);

    const QList<ClipItem> &clips() const { return m_clips; }
    // Replaces the list as it is: no trimming, no pictures released.
    void setClips(const QList<ClipItem> &clips) { m_clips = clips; }

    // A new capture goes to the front unless it repeats the newest entry (same kind and
    // content; for pictures the same picture). Then the history is cut to kLimit entries, the
    // pinned ones always kept, the oldest unpinned ones dropped. False when it was a repeat.
    bool add(const ClipItem &item);
    // False when no entry has that id.
    bool togglePin(const QUuid &id);
    // Removes the entry with the item's id. The item's picture is released even when the entry
    // is no longer listed, unless another entry still shows it.
    void remove(const ClipItem &item);
    void clearUnpinned();

    QList<ClipItem> filtered(const QString &query) const;

private:
    bool repeats(const ClipItem &a, const ClipItem &b) const;

    ClipPictures &m_pictures;
    QList<ClipItem> m_clips;
    mutable ClipSearchIndex m_index;
};
