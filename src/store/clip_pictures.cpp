#include "clip_pictures.h"

#include "atomic_file.h"
#include "log_categories.h"
#include "persistence_queue.h"
#include "store_paths.h"
#include "stored_pictures.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPointer>
#include <QSet>
#include <QUuid>

namespace {

// Runs on the worker. A null image when the bytes cannot be decoded.
QImage decodePicture(const Pasteboard::RawImage &raw)
{
    QBuffer buffer;
    buffer.setData(raw.bytes);
    buffer.open(QIODevice::ReadOnly);
    // "image/png" -> "png" as a first guess; the content decides when the owner mislabels it.
    QImageReader reader(&buffer, raw.mimeType.section(QLatin1Char('/'), 1).toLatin1());
    reader.setDecideFormatFromContent(true);
    return reader.read();
}

QByteArray encodePng(const QImage &image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        return {};
    return png;
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

} // namespace

ClipPictures::ClipPictures(const QString &directory, PersistenceQueue &queue, QObject *parent)
    : QObject(parent)
    , m_directory(directory)
    , m_queue(queue)
{
}

// What the worker reports about one picture.
struct ClipPictures::Written
{
    ClipItem entry;
    QByteArray digest; // of the written file; empty when nothing was written
    QByteArray png;    // kept when the write failed
    QString failure;   // why it failed
};

namespace {

ClipPictures::Written writePicture(const ClipItem &entry, const QByteArray &png)
{
    ClipPictures::Written written{entry, {}, {}, {}};
    if (AtomicFile::write(*entry.imagePath, png, AtomicFile::Mode::OwnerOnly, &written.failure)) {
        // The duplicate test compares pictures by the digest of their PNG bytes; hashing a
        // large file on the main thread would stall the panel, so it is done here.
        written.digest = QCryptographicHash::hash(png, QCryptographicHash::Sha256);
    } else {
        written.png = png;
    }
    return written;
}

} // namespace

void ClipPictures::capture(const Pasteboard::RawImage &image, Done done)
{
    StorePaths::createPrivateFolder(m_directory);
    const QString path = m_directory + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper()
                         + QStringLiteral(".png");
    const ClipItem entry = ClipItem::make(ClipKind::image, QStringLiteral("复制的图片"), QStringLiteral("图片"),
                                          ClipItem::sourceClipboard(), path);
    QPointer<ClipPictures> self(this);
    m_queue.post([self, image, entry, done = std::move(done)] {
        const QImage picture = decodePicture(image);
        const QByteArray png = picture.isNull() ? QByteArray() : encodePng(picture);
        std::optional<Written> written;
        if (!png.isEmpty())
            written = writePicture(entry, png);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, written, done] {
                if (!self)
                    return;
                if (written)
                    self->onWritten(*written);
                done(written && !written->digest.isEmpty() ? std::optional(written->entry) : std::nullopt);
            },
            Qt::QueuedConnection);
    });
}

void ClipPictures::retryUnsaved()
{
    if (m_unsaved.isEmpty())
        return;
    StorePaths::createPrivateFolder(m_directory);
    QPointer<ClipPictures> self(this);
    for (const Unsaved &unsaved : std::exchange(m_unsaved, {})) {
        m_queue.post([self, unsaved] {
            const Written written = writePicture(unsaved.entry, unsaved.png);
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [self, written] {
                    if (!self)
                        return;
                    self->onWritten(written);
                    if (!written.digest.isEmpty())
                        emit self->stored(written.entry);
                },
                Qt::QueuedConnection);
        });
    }
}

void ClipPictures::onWritten(const Written &written)
{
    if (!written.digest.isEmpty()) {
        m_digests.insert(*written.entry.imagePath, written.digest);
        if (m_unsaved.isEmpty())
            setFailure({});
        return;
    }
    if (m_unsaved.size() >= kMaxUnsaved) {
        qCWarning(lcStore) << "dropping the oldest unsaved picture; more than" << kMaxUnsaved << "wait for room";
        m_unsaved.removeFirst();
    }
    m_unsaved.append(Unsaved{written.entry, written.png});
    setFailure(written.failure);
}

void ClipPictures::setFailure(const QString &failure)
{
    if (failure == m_failure)
        return;
    m_failure = failure;
    emit failureChanged();
}

QByteArray ClipPictures::digest(const QString &path)
{
    const auto cached = m_digests.constFind(path);
    if (cached != m_digests.cend())
        return *cached;
    const QByteArray digest = StoredPictures::storedPictureDigest(path, m_directory);
    if (!digest.isEmpty())
        m_digests.insert(path, digest);
    return digest;
}

bool ClipPictures::sameContent(const QString &pathA, const QString &pathB)
{
    const QByteArray digestA = digest(pathA);
    return !digestA.isEmpty() && digestA == digest(pathB);
}

void ClipPictures::release(const QList<ClipItem> &gone, const QList<ClipItem> &remaining)
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
        m_digests.remove(path);
        StoredPictures::removeStoredPicture(path, m_directory);
    }
}

QImage ClipPictures::load(const ClipItem &item) const
{
    return item.imagePath ? StoredPictures::loadStoredPicture(*item.imagePath, m_directory) : QImage();
}
