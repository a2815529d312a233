#pragma once

#include <QLoggingCategory>

// Quillo's log categories. Warnings (a failed save, a clipboard owner that does not answer)
// are on; debug and info messages are off unless QT_LOGGING_RULES turns them on, for example
// QT_LOGGING_RULES="quillo.*.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcStore)     // "quillo.store": the history, preferences and picture files
Q_DECLARE_LOGGING_CATEGORY(lcClipboard) // "quillo.clipboard": reading the clipboard and capturing copies
