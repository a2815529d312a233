#pragma once

#include <QString>

// Real file-system faults for tests: this process gets a mount namespace of its own (as root
// directly, otherwise inside a user namespace), where it can mount small tmpfs folders, fill
// them, and make them read-only. Children started later share the namespace; nothing is
// visible outside the process.
namespace PrivateMounts {

// Call first thing in main(), before any thread exists. False, with the reason, where the
// kernel or the container does not allow it.
bool enter(QString *why);
bool mountTmpfs(const QString &path, qint64 bytes, QString *why);
bool remountReadOnly(const QString &path, QString *why);
bool unmount(const QString &path);
// Writes a file that takes all the free room of the file system holding `folder`.
bool fill(const QString &folder, const QString &name);

} // namespace PrivateMounts
