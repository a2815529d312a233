#include "log_categories.h"

Q_LOGGING_CATEGORY(lcStore, "quillo.store", QtWarningMsg)
Q_LOGGING_CATEGORY(lcClipboard, "quillo.clipboard", QtWarningMsg)
