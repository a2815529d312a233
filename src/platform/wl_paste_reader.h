#pragma once

#include <QByteArray>
#include <QObject>
#include <QProcess>
#include <QStringList>
#include <QTimer>
#include <functional>
#include <optional>

// Runs one `wl-paste` at a time without blocking: its standard output is handed to a
// callback when it exits, or nullopt when it failed, ran past its deadline (a clipboard
// owner that does not answer) or printed more than the size limit.
class WlPasteReader : public QObject
{
    Q_OBJECT
public:
    static constexpr int kDeadlineMs = 5000;
    static constexpr qsizetype kMaxBytes = qsizetype(64) << 20;

    using Done = std::function<void(std::optional<QByteArray>)>;

    explicit WlPasteReader(QObject *parent = nullptr);
    ~WlPasteReader() override;

    // Starts `wl-paste ARGUMENTS`; a read still running is dropped without its callback.
    void read(const QStringList &arguments, Done done);
    void cancel();
    bool isReading() const { return m_process != nullptr; }

private:
    void finish(std::optional<QByteArray> result);

    QProcess *m_process = nullptr;
    QByteArray m_output;
    QTimer m_deadline;
    Done m_done;
};
