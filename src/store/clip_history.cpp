#include "clip_history.h"

#include "clip_pictures.h"

#include <algorithm>

namespace {

// The newest entry by createdAt; on a tie the earliest stored position. -1 when empty.
qsizetype newestPosition(const QList<ClipItem> &clips)
{
    qsizetype newest = -1;
    for (qsizetype i = 0; i < clips.size(); ++i) {
        if (newest < 0 || ClipSearchIndex::newer(clips[i], clips[newest]))
            newest = i;
    }
    return newest;
}

// Pinned entries in order, then the first unpinned ones up to the limit.
QList<ClipItem> trimmedToLimit(const QList<ClipItem> &clips, qsizetype limit, QList<ClipItem> *dropped)
{
    const qsizetype pinned = std::count_if(clips.cbegin(), clips.cend(), [](const ClipItem &c) { return c.isPinned; });
    qsizetype unpinnedRoom = std::max<qsizetype>(0, limit - pinned);
    QList<ClipItem> kept;
    kept.reserve(std::min(clips.size(), std::max(limit, pinned)));
    for (const ClipItem &clip : clips) {
        if (clip.isPinned)
            kept.append(clip);
    }
    for (const ClipItem &clip : clips) {
        if (clip.isPinned)
            continue;
        if (unpinnedRoom > 0) {
            kept.append(clip);
            --unpinnedRoom;
        } else {
            dropped->append(clip);
        }
    }
    return kept;
}

} // namespace

ClipHistory::ClipHistory(ClipPictures &pictures)
    : m_pictures(pictures)
{
}

bool ClipHistory::repeats(const ClipItem &a, const ClipItem &b) const
{
    if (a.kind != b.kind || a.content != b.content)
        return false;
    // Pictures all share the content "图片": the same file, or files with the same bytes.
    if (a.kind != ClipKind::image || a.imagePath == b.imagePath)
        return true;
    return a.imagePath && b.imagePath && m_pictures.sameContent(*a.imagePath, *b.imagePath);
}

bool ClipHistory::add(const ClipItem &item)
{
    const qsizetype newest = newestPosition(m_clips);
    if (newest >= 0 && repeats(item, m_clips[newest])) {
        m_pictures.release({item}, m_clips);
        return false;
    }
    QList<ClipItem> clips = m_clips;
    clips.prepend(item);
    if (clips.size() > kLimit) {
        QList<ClipItem> dropped;
        clips = trimmedToLimit(clips, kLimit, &dropped);
        m_pictures.release(dropped, clips);
    }
    m_clips = clips;
    return true;
}

bool ClipHistory::togglePin(const QUuid &id)
{
    const auto found = std::find_if(m_clips.cbegin(), m_clips.cend(), [&id](const ClipItem &c) { return c.id == id; });
    if (found == m_clips.cend())
        return false;
    const qsizetype position = found - m_clips.cbegin();
    QList<ClipItem> clips = m_clips;
    clips[position].isPinned = !clips[position].isPinned;
    m_clips = clips;
    return true;
}

void ClipHistory::remove(const ClipItem &item)
{
    QList<ClipItem> clips = m_clips;
    clips.removeIf([&item](const ClipItem &c) { return c.id == item.id; });
    m_pictures.release({item}, clips);
    m_clips = clips;
}

void ClipHistory::clearUnpinned()
{
    QList<ClipItem> kept;
    QList<ClipItem> gone;
    for (const ClipItem &clip : std::as_const(m_clips))
        (clip.isPinned ? kept : gone).append(clip);
    m_pictures.release(gone, kept);
    m_clips = kept;
}

QList<ClipItem> ClipHistory::filtered(const QString &query) const
{
    return m_index.filtered(m_clips, query);
}
