#pragma once

#include "clip_item.h"

#include <QList>
#include <QString>

// The clipboard page's list: the entries in display order (pinned first, then newest first;
// equal times keep their stored order), filtered by a search text. The order is rebuilt only
// when the list changes, the search texts only when a search needs them after a change (an
// 8 MB entry takes tens of milliseconds to lower-case and normalise). It holds a copy of the list it indexed, which
// shares that list's data: any later write to the list detaches it, so the data pointers differ from then on, a cheap
// and reliable "changed since" test.
class ClipSearchIndex
{
public:
    // True when `a` is shown before `b` among entries of equal pinning: a later createdAt. A NaN
    // time counts as the oldest (it would otherwise break the sort's strict weak ordering).
    static bool newer(const ClipItem &a, const ClipItem &b);

    // The entries of `clips` whose title, content or source contains `query`, compared
    // lower-cased and NFC-normalised; all of them for an empty query.
    QList<ClipItem> filtered(const QList<ClipItem> &clips, const QString &query);

private:
    void rebuild(const QList<ClipItem> &clips);
    void updateSearchTexts();

    QList<ClipItem> m_indexedClips;
    bool m_valid = false;
    QList<qsizetype> m_displayOrder; // positions in m_indexedClips
    QList<ClipItem> m_textsFor;      // the list m_searchTexts belong to
    QList<QString> m_searchTexts;    // per position: title + " " + content + " " + source, as search keys
};
