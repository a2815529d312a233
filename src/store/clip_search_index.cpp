#include "clip_search_index.h"

#include "classification.h"

#include <QHash>
#include <QUuid>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

double sortableTime(double createdAt)
{
    return std::isnan(createdAt) ? -std::numeric_limits<double>::infinity() : createdAt;
}

QString searchKey(const QString &text)
{
    return text.toLower().normalized(QString::NormalizationForm_C);
}

bool sameText(const QString &a, const QString &b)
{
    return a.isSharedWith(b) || a == b;
}

} // namespace

bool ClipSearchIndex::newer(const ClipItem &a, const ClipItem &b)
{
    return sortableTime(a.createdAt) > sortableTime(b.createdAt);
}

QList<ClipItem> ClipSearchIndex::filtered(const QList<ClipItem> &clips, const QString &query)
{
    if (!m_valid || m_indexedClips.size() != clips.size() || m_indexedClips.constData() != clips.constData())
        rebuild(clips);
    const QString key = searchKey(Classification::trimmedClipText(query));
    if (!key.isEmpty())
        updateSearchTexts();
    QList<ClipItem> result;
    result.reserve(m_displayOrder.size());
    for (qsizetype position : std::as_const(m_displayOrder)) {
        if (key.isEmpty() || m_searchTexts[position].contains(key))
            result.append(m_indexedClips[position]);
    }
    return result;
}

void ClipSearchIndex::rebuild(const QList<ClipItem> &clips)
{
    m_indexedClips = clips;
    m_valid = true;
    m_displayOrder.resize(clips.size());
    for (qsizetype i = 0; i < clips.size(); ++i)
        m_displayOrder[i] = i;
    std::stable_sort(m_displayOrder.begin(), m_displayOrder.end(), [&clips](qsizetype a, qsizetype b) {
        if (clips[a].isPinned != clips[b].isPinned)
            return clips[a].isPinned;
        return newer(clips[a], clips[b]);
    });
}

// Entries whose texts did not change (the usual case: a pin flipped, one capture added) keep
// their search text.
void ClipSearchIndex::updateSearchTexts()
{
    if (m_textsFor.constData() == m_indexedClips.constData() && m_textsFor.size() == m_indexedClips.size()
        && m_searchTexts.size() == m_indexedClips.size())
        return;
    QHash<QUuid, qsizetype> previous;
    for (qsizetype i = 0; i < m_textsFor.size(); ++i)
        previous.insert(m_textsFor[i].id, i);
    QList<QString> texts;
    texts.reserve(m_indexedClips.size());
    const QLatin1Char space(' ');
    for (const ClipItem &clip : std::as_const(m_indexedClips)) {
        const auto found = previous.constFind(clip.id);
        if (found != previous.cend()) {
            const ClipItem &old = m_textsFor[*found];
            if (sameText(old.title, clip.title) && sameText(old.content, clip.content)
                && sameText(old.source, clip.source)) {
                texts.append(m_searchTexts[*found]);
                continue;
            }
        }
        texts.append(searchKey(clip.title + space + clip.content + space + clip.source));
    }
    m_searchTexts = texts;
    m_textsFor = m_indexedClips;
}
