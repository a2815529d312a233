#pragma once

#include <QByteArray>
#include <QString>

// Whole-file writes that replace the target in one step (QSaveFile: temporary file, then
// rename), so a reader never sees a partial file and a failed write leaves the old one.
namespace AtomicFile {
enum class Mode
{
    Default,   // a new file gets the usual mode; an existing file keeps its own
    OwnerOnly, // a new file is created 0600 (the history may hold secrets)
};

bool write(const QString &path, const QByteArray &data, Mode mode = Mode::Default, QString *errorText = nullptr);

// Reads a whole regular file; false for anything else (folder, FIFO, device) or on error.
bool readRegularFile(const QString &path, QByteArray *data, qint64 maxBytes = -1);
} // namespace AtomicFile
