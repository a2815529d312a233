#include "note_attachments.h"

#include "atomic_file.h"
#include "clip_note_text.h"
#include "note_paths.h"
#include "stored_pictures.h"

#include <QDir>
#include <QFileInfo>

namespace NoteAttachments {

namespace {

const QString kAttachmentFolder = QStringLiteral("附件");
// Enough for any number of pictures copied within one second.
constexpr int kMaxAttachmentCounter = 10000;
// A stored picture is a PNG of one screen; far below this.
constexpr qint64 kMaxPictureBytes = qint64(1) << 30;

} // namespace

bool copyPicture(const ClipItem &item, const QString &imagesDirectory, const QString &noteFolder, QString *fileName,
                 QString *status)
{
    const QString failed = QStringLiteral("图片保存失败：");
    // A picture deleted since it was captured is a failure to report; a path that is not one of
    // the store's pictures (a hand-edited history) is never read at all.
    if (item.imagePath && !NotePaths::entryExists(*item.imagePath)) {
        *status = failed + QStringLiteral("图片文件不存在");
        return false;
    }
    if (!item.imagePath || !StoredPictures::isStoredPicture(*item.imagePath, imagesDirectory)) {
        *status = QStringLiteral("图片文件不可用");
        return false;
    }
    QByteArray picture;
    if (!AtomicFile::readRegularFile(*item.imagePath, &picture, kMaxPictureBytes)) {
        *status = failed + QStringLiteral("无法读取图片文件");
        return false;
    }
    const QString folder = noteFolder + QLatin1Char('/') + kAttachmentFolder;
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
        *status = failed + QStringLiteral("无法创建文件夹“") + kAttachmentFolder + QStringLiteral("”");
        return false;
    }
    for (int counter = 1; counter <= kMaxAttachmentCounter; ++counter) {
        const QString name = ClipNoteText::attachmentFileName(item.createdAt, counter);
        const QString path = folder + QLatin1Char('/') + name;
        if (NotePaths::entryExists(path)) {
            QByteArray existing;
            if (AtomicFile::readRegularFile(path, &existing, kMaxPictureBytes) && existing == picture) {
                *fileName = name;
                return true;
            }
            continue;
        }
        QString error;
        if (!AtomicFile::write(path, picture, AtomicFile::Mode::Default, &error)) {
            *status = failed + error;
            return false;
        }
        *fileName = name;
        return true;
    }
    *status = failed + QStringLiteral("没有可用的文件名");
    return false;
}

} // namespace NoteAttachments
