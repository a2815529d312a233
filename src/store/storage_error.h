#pragma once

#include <QString>

// Why a file could not be written, in words for the panel (the system's own error texts are
// English). The cause is read from the file system after the failure: a full disk, a
// read-only file system, a folder without write permission, a missing folder.
namespace StorageError {

// "磁盘空间不足", "文件系统只读", "没有写入权限", "文件夹不存在" or "无法写入文件", for a
// failed write of about `bytes` bytes to `filePath`.
QString reason(const QString &filePath, qint64 bytes = 0);

} // namespace StorageError
