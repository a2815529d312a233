#pragma once

// Sends Qt's log messages (qWarning, qCWarning(lcStore), ...) to the systemd journal when the
// session has one, tagged "quillo" with their category; Debian's Qt is built without its own
// journal support. Without a journal, or when standard error is a terminal, messages also go
// where Qt puts them by default (standard error).
namespace JournalLog {
void install();
} // namespace JournalLog
