#include "clip_pictures.h"

#include "atomic_file.h"
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

bool ClipPictures::capture(const Pasteboard::RawImage &image)
{
    if (image.bytes.isEmpty())
        return false;
    StorePaths::createPrivateFolder(m_directory);
    const QString path = m_directory + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper()
                         + QStringLiteral(".png");
    const ClipItem entry = ClipItem::make(ClipKind::image, QStringLiteral("复制的图片"), QStringLiteral("图片"),
                                          ClipItem::sourceClipboard(), path);
    QPointer<ClipPictures> self(this);
    m_queue.post([self, image, entry] {
        const QImage picture = decodePicture(image);
        if (picture.isNull())
            return;
        const QByteArray png = encodePng(picture);
        if (png.isEmpty() || !AtomicFile::write(*entry.imagePath, png, AtomicFile::Mode::OwnerOnly))
            return;
        // The duplicate test compares pictures by the digest of their PNG bytes; hashing a
        // large file on the main thread would stall the panel, so it is done here.
        const QByteArray digest = QCryptographicHash::hash(png, QCryptographicHash::Sha256);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, entry, digest] {
                if (!self)
                    return;
                self->m_digests.insert(*entry.imagePath, digest);
                emit self->stored(entry);
            },
            Qt::QueuedConnection);
    });
    return true;
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
