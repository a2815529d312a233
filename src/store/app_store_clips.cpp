// The clipboard history's operations: adding a capture, copying back, pinning, deleting,
// clearing and the searched list the page shows.
#include "app_store.h"

#include "classification.h"
#include "clip_side_state.h"
#include "stored_pictures.h"

#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A NaN would break the sort's strict weak ordering; it sorts as oldest.
double sortableTime(double createdAt)
{
    return std::isnan(createdAt) ? -std::numeric_limits<double>::infinity() : createdAt;
}

// The newest entry by createdAt; on a tie the earliest stored position. -1 when empty.
qsizetype newestPosition(const QList<ClipItem> &clips)
{
    qsizetype newest = -1;
    for (qsizetype i = 0; i < clips.size(); ++i) {
        if (newest < 0 || sortableTime(clips[i].createdAt) > sortableTime(clips[newest].createdAt))
            newest = i;
    }
    return newest;
}

QSet<QString> namedPictures(const QList<ClipItem> &clips)
{
    QSet<QString> paths;
    for (const ClipItem &clip : clips) {
        if (clip.imagePath)
            paths.insert(*clip.imagePath);
    }
    return paths;
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

QString searchKey(const QString &text)
{
    return text.toLower().normalized(QString::NormalizationForm_C);
}

} // namespace

// --- pictures ---------------------------------------------------------------------------

namespace {

QByteArray pictureDigest(ClipSideState &side, const QString &path, const QString &imagesDirectory)
{
    const auto cached = side.pictureDigests.constFind(path);
    if (cached != side.pictureDigests.cend())
        return *cached;
    const QByteArray digest = StoredPictures::storedPictureDigest(path, imagesDirectory);
    if (!digest.isEmpty())
        side.pictureDigests.insert(path, digest);
    return digest;
}

// Same kind and content; for pictures, which all share the content "图片", the same
// picture: the same file, or files with the same bytes.
bool repeatsEntry(ClipSideState &side, const ClipItem &a, const ClipItem &b, const QString &imagesDirectory)
{
    if (a.kind != b.kind || a.content != b.content)
        return false;
    if (a.kind != ClipKind::image || a.imagePath == b.imagePath)
        return true;
    if (!a.imagePath || !b.imagePath)
        return false;
    const QByteArray digestA = pictureDigest(side, *a.imagePath, imagesDirectory);
    return !digestA.isEmpty() && digestA == pictureDigest(side, *b.imagePath, imagesDirectory);
}

// Deletes the pictures of entries that are gone, unless a remaining entry still names the
// same file (by any path that resolves to it), and forgets their digests. Only stored
// pictures are ever deleted.
void releasePictures(ClipSideState &side, const QList<ClipItem> &gone, const QList<ClipItem> &remaining,
                     const QString &imagesDirectory)
{
    const QSet<QString> released = namedPictures(gone);
    if (released.isEmpty())
        return;
    QSet<QString> stillNamed;
    for (const QString &path : namedPictures(remaining)) {
        stillNamed.insert(path);
        const QString resolved = QFileInfo(path).canonicalFilePath();
        if (!resolved.isEmpty())
            stillNamed.insert(resolved);
    }
    for (const QString &path : released) {
        const QString resolved = QFileInfo(path).canonicalFilePath();
        if (stillNamed.contains(path) || (!resolved.isEmpty() && stillNamed.contains(resolved)))
            continue;
        side.pictureDigests.remove(path);
        StoredPictures::removeStoredPicture(path, imagesDirectory);
    }
}

} // namespace

// --- operations -------------------------------------------------------------------------

void AppStore::addClip(const ClipItem &item)
{
    const qsizetype newest = newestPosition(m_clips);
    if (newest >= 0 && repeatsEntry(*m_clipSide, item, m_clips[newest], imagesDirectory())) {
        releasePictures(*m_clipSide, {item}, m_clips, imagesDirectory());
        return;
    }
    QList<ClipItem> clips = m_clips;
    clips.prepend(item);
    if (clips.size() > kHistoryLimit) {
        QList<ClipItem> dropped;
        clips = trimmedToLimit(clips, kHistoryLimit, &dropped);
        releasePictures(*m_clipSide, dropped, clips, imagesDirectory());
    }
    setClips(clips);
    saveClips();
}

void AppStore::copy(const ClipItem &item)
{
    if (!m_pasteboard)
        return;
    if (item.kind == ClipKind::image) {
        // Without its picture an image entry has nothing worth copying: the placeholder
        // "图片" on the clipboard would look like success and replace what the user had.
        const QImage picture =
            item.imagePath ? StoredPictures::loadStoredPicture(*item.imagePath, imagesDirectory()) : QImage();
        if (picture.isNull())
            return;
        m_pasteboard->writeImage(picture);
    } else {
        m_pasteboard->writeText(item.content);
    }
    m_lastChangeCount = m_pasteboard->changeCount();

    const QUuid id = item.id;
    setCopiedID(id);
    QTimer::singleShot(kCopiedMarkMs, this, [this, id] {
        if (m_copiedID == id)
            setCopiedID(std::nullopt);
    });
}

void AppStore::togglePin(const ClipItem &item)
{
    const auto found =
        std::find_if(m_clips.cbegin(), m_clips.cend(), [&item](const ClipItem &c) { return c.id == item.id; });
    if (found == m_clips.cend())
        return;
    QList<ClipItem> clips = m_clips;
    ClipItem &target = clips[found - m_clips.cbegin()];
    target.isPinned = !target.isPinned;
    setClips(clips);
    saveClips();
}

void AppStore::deleteClip(const ClipItem &item)
{
    QList<ClipItem> clips = m_clips;
    clips.removeIf([&item](const ClipItem &c) { return c.id == item.id; });
    // The passed entry's picture goes even when the entry is no longer listed, but never a
    // file another entry still shows.
    releasePictures(*m_clipSide, {item}, clips, imagesDirectory());
    setClips(clips);
    saveClips();
}

void AppStore::clearUnpinned()
{
    QList<ClipItem> kept;
    QList<ClipItem> gone;
    for (const ClipItem &clip : m_clips)
        (clip.isPinned ? kept : gone).append(clip);
    releasePictures(*m_clipSide, gone, kept, imagesDirectory());
    setClips(kept);
    saveClips();
}

// --- search -----------------------------------------------------------------------------

namespace {

bool sameText(const QString &a, const QString &b)
{
    return a.isSharedWith(b) || a == b;
}

// Entries whose texts did not change (the usual case: a pin flipped, one capture added)
// keep their search text; lower-casing and normalising an 8 MB entry takes tens of ms.
QList<QString> searchTexts(const ClipSideState &side, const QList<ClipItem> &clips)
{
    QHash<QUuid, qsizetype> previous;
    if (side.indexValid) {
        for (qsizetype i = 0; i < side.indexedClips.size(); ++i)
            previous.insert(side.indexedClips[i].id, i);
    }
    QList<QString> texts;
    texts.reserve(clips.size());
    const QLatin1Char space(' ');
    for (const ClipItem &clip : clips) {
        const auto found = previous.constFind(clip.id);
        if (found != previous.cend()) {
            const ClipItem &old = side.indexedClips[*found];
            if (sameText(old.title, clip.title) && sameText(old.content, clip.content)
                && sameText(old.source, clip.source)) {
                texts.append(side.searchTexts[*found]);
                continue;
            }
        }
        texts.append(searchKey(clip.title + space + clip.content + space + clip.source));
    }
    return texts;
}

void rebuildSearchIndex(ClipSideState &side, const QList<ClipItem> &clips)
{
    side.searchTexts = searchTexts(side, clips);
    side.indexedClips = clips;
    side.indexValid = true;

    side.displayOrder.resize(clips.size());
    for (qsizetype i = 0; i < clips.size(); ++i)
        side.displayOrder[i] = i;
    std::stable_sort(side.displayOrder.begin(), side.displayOrder.end(), [&clips](qsizetype a, qsizetype b) {
        if (clips[a].isPinned != clips[b].isPinned)
            return clips[a].isPinned;
        return sortableTime(clips[a].createdAt) > sortableTime(clips[b].createdAt);
    });
}

} // namespace

QList<ClipItem> AppStore::filteredClips() const
{
    ClipSideState &side = *m_clipSide;
    if (!side.indexValid || side.indexedClips.size() != m_clips.size()
        || side.indexedClips.constData() != m_clips.constData())
        rebuildSearchIndex(side, m_clips);

    const QString query = searchKey(Classification::trimmedClipText(m_query));
    QList<ClipItem> result;
    result.reserve(side.displayOrder.size());
    for (qsizetype position : side.displayOrder) {
        if (query.isEmpty() || side.searchTexts[position].contains(query))
            result.append(side.indexedClips[position]);
    }
    return result;
}
