#include "platform/journal_log.h"

#include <QByteArray>
#include <QFileInfo>
#include <QString>
#include <QtGlobal>

#include <systemd/sd-journal.h>
#include <unistd.h>

namespace {

QtMessageHandler previousHandler = nullptr;
bool journalPresent = false;

int priorityOf(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return 7;    // LOG_DEBUG
    case QtInfoMsg: return 6;     // LOG_INFO
    case QtWarningMsg: return 4;  // LOG_WARNING
    case QtCriticalMsg: return 3; // LOG_ERR
    case QtFatalMsg: return 2;    // LOG_CRIT
    }
    return 6;
}

void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (journalPresent) {
        const QByteArray text = message.toUtf8();
        const char *category = context.category ? context.category : "default";
        sd_journal_send("MESSAGE=%s", text.constData(), "PRIORITY=%d", priorityOf(type), "SYSLOG_IDENTIFIER=quillo",
                        "QT_CATEGORY=%s", category, nullptr);
    }
    if (!journalPresent || ::isatty(STDERR_FILENO))
        previousHandler(type, context, message);
}

} // namespace

namespace JournalLog {

void install()
{
    journalPresent = QFileInfo::exists(QStringLiteral("/run/systemd/journal/socket"));
    QtMessageHandler previous = qInstallMessageHandler(handle);
    previousHandler = previous;
}

} // namespace JournalLog
