// Clipboard pictures: the main thread only names the file and builds the entry; decoding,
// PNG encoding and the write run on the persistence worker.
#include "app_store.h"

#include "atomic_file.h"
#include "clip_side_state.h"
#include "persistence_queue.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QPointer>

namespace {

// QImageReader refuses pictures over 128 MB of pixels by default, which rejects an 8K
// screenshot. Pictures are not limited otherwise; this bound only keeps a malformed header
// that claims absurd dimensions from asking for tens of gigabytes.
constexpr int kImageAllocationLimitMB = 2048;

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

void createPrivateFolder(const QString &path)
{
    QDir().mkpath(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

} // namespace

bool AppStore::queueClipboardImage(const Pasteboard::RawImage &image)
{
    if (image.bytes.isEmpty())
        return false;
    // Set here, on the main thread, before any decode is posted: the limit is one process-wide
    // value that the worker reads.
    if (QImageReader::allocationLimit() < kImageAllocationLimitMB)
        QImageReader::setAllocationLimit(kImageAllocationLimitMB);

    const QString folder = imagesDirectory();
    createPrivateFolder(folder);
    const QString path = folder + QLatin1Char('/') + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper()
                         + QStringLiteral(".png");
    const ClipItem entry = ClipItem::make(ClipKind::image, QStringLiteral("复制的图片"), QStringLiteral("图片"),
                                          ClipItem::sourceClipboard(), path);

    QPointer<AppStore> self(this);
    m_persistenceQueue->post([self, image, path, entry] {
        const QImage picture = decodePicture(image);
        if (picture.isNull())
            return;
        const QByteArray png = encodePng(picture);
        if (png.isEmpty() || !AtomicFile::write(path, png, AtomicFile::Mode::OwnerOnly))
            return;
        // The duplicate test compares pictures by the digest of their PNG bytes; hashing a
        // large file on the main thread would stall the panel, so it is done here.
        const QByteArray digest = QCryptographicHash::hash(png, QCryptographicHash::Sha256);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [self, entry, digest] {
                if (!self)
                    return;
                self->m_clipSide->pictureDigests.insert(*entry.imagePath, digest);
                self->addClip(entry);
            },
            Qt::QueuedConnection);
    });
    return true;
}
