#pragma once

#include <QImage>
#include <QString>

// The pictures the store itself wrote: PNG files directly inside the support folder's
// "ClipboardImages". A history file can be edited by hand, so an `imagePath` is only trusted
// after links and ".." are resolved; anything else is never deleted, loaded or copied back.
namespace StoredPictures {

// True when `path` is absolute and, once symbolic links and ".." are resolved, names an
// existing regular file whose folder is `imagesDirectory` (itself resolved).
bool isStoredPicture(const QString &path, const QString &imagesDirectory);

// Deletes the picture when it is a stored picture (the resolved file, never a file a link
// merely points from outside). Returns true when a file was removed.
bool removeStoredPicture(const QString &path, const QString &imagesDirectory);

// Decodes a stored picture; a null image when it is not one or cannot be decoded. Pictures
// above QImageReader's default allocation limit need StorePaths::liftImageAllocationLimit().
QImage loadStoredPicture(const QString &path, const QString &imagesDirectory);

// SHA-256 of the file's bytes when it is a stored picture; empty otherwise.
QByteArray storedPictureDigest(const QString &path, const QString &imagesDirectory);

} // namespace StoredPictures
