#include "platform/wl_paste_reader.h"

WlPasteReader::WlPasteReader(QObject *parent)
    : QObject(parent)
{
    m_deadline.setSingleShot(true);
    m_deadline.setInterval(kDeadlineMs);
    connect(&m_deadline, &QTimer::timeout, this, [this] { finish(std::nullopt); });
}

WlPasteReader::~WlPasteReader()
{
    cancel();
}

void WlPasteReader::read(const QStringList &arguments, Done done)
{
    cancel();
    m_done = std::move(done);
    m_output.clear();
    m_process = new QProcess(this);
    m_process->setStandardInputFile(QProcess::nullDevice());
    m_process->setStandardErrorFile(QProcess::nullDevice());
    QProcess *process = m_process;
    connect(process, &QProcess::readyReadStandardOutput, this, [this, process] {
        if (process != m_process)
            return;
        m_output += process->readAllStandardOutput();
        if (m_output.size() > kMaxBytes)
            finish(std::nullopt);
    });
    connect(process, &QProcess::finished, this, [this, process](int exitCode, QProcess::ExitStatus status) {
        if (process != m_process)
            return;
        m_output += process->readAllStandardOutput();
        const bool ok = status == QProcess::NormalExit && exitCode == 0 && m_output.size() <= kMaxBytes;
        finish(ok ? std::optional<QByteArray>(m_output) : std::nullopt);
    });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError error) {
        if (process == m_process && error == QProcess::FailedToStart)
            finish(std::nullopt);
    });
    m_deadline.start();
    process->start(QStringLiteral("wl-paste"), arguments);
}

void WlPasteReader::cancel()
{
    m_deadline.stop();
    m_done = nullptr;
    if (QProcess *process = std::exchange(m_process, nullptr)) {
        process->disconnect(this);
        process->kill();
        process->waitForFinished(100);
        process->deleteLater();
    }
}

void WlPasteReader::finish(std::optional<QByteArray> result)
{
    Done done = std::move(m_done);
    cancel();
    m_output.clear();
    if (done)
        done(std::move(result));
}
