#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Whole-file writes that replace the target in one step (QSaveFile: temporary file, then
// rename), so a reader never sees a partial file and a failed write leaves the old one.
namespace AtomicFile {
enum class Mode
{
    Default,   // a new file gets the usual mode; an existing file keeps its own
    OwnerOnly, // a new file is created 0600 (the history may hold secrets)
};

// On failure the system's error is logged (quillo.store) and *errorText says why in Chinese
// ("磁盘空间不足", see StorageError).
bool write(const QString &path, const QByteArray &data, Mode mode = Mode::Default, QString *errorText = nullptr);

// Reads a whole regular file; false for anything else (folder, FIFO, device) or on error.
bool readRegularFile(const QString &path, QByteArray *data, qint64 maxBytes = -1);
// Opens a regular file of at most maxBytes for reading; false as readRegularFile would be.
bool openRegularFile(QFile &file, qint64 maxBytes = -1);

// Keeps a file instead of overwriting it (one that could not be read, or one that held more
// than was loaded): renames it to "<name>.<label>-<unix seconds>", with "-2", "-3", ...
// appended if that name is taken. True when nothing is at `path` any more (or never was);
// false when the file is still in place, and the caller must not overwrite it then.
bool moveAside(const QString &path, const QString &label = QStringLiteral("rejected"));
} // namespace AtomicFile
