#pragma once

#include "store/pasteboard.h"

#include <QList>
#include <QStringList>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class X11SelectionReader;

// A worker thread that follows the X11 clipboard and reads each new content as the store's
// capture will need it: the offered formats, then the first picture format (ending there when
// its header decodes), the URL list (ending there when it parses), and the text. Only then is
// the content handed on, so the GUI thread never waits for another program.
//
// Each read has a deadline (kReadTimeoutMs, renewed by each piece of a long transfer). An
// owner that lets one pass is not asked again until another owner takes the clipboard:
// a hung program that keeps re-taking it costs nothing. A new owner ends a read under way.
class X11ClipboardWatcher : public QThread
{
    Q_OBJECT
public:
    static constexpr int kReadTimeoutMs = 2000;
    static constexpr qint64 kMaxTextBytes = qint64(16) << 20; // the store keeps at most 8 MiB of it
    static constexpr qint64 kMaxDataBytes = qint64(256) << 20;

    struct Content
    {
        quint32 owner = 0; // the X11 window that owned the clipboard
        QStringList types;
        std::optional<Pasteboard::RawImage> image;
        std::optional<QList<QUrl>> urls;
        std::optional<QString> text;
    };
    // Called on the worker thread with each content read.
    using Deliver = std::function<void(const Content &content)>;

    explicit X11ClipboardWatcher(Deliver deliver, QObject *parent = nullptr);
    ~X11ClipboardWatcher() override; // stops and joins the thread

    // False without an X server with XFixes; the thread is then not started.
    bool isValid() const;
    // Contents owned by this window are not read (the application's own copies).
    void setOwnWindow(quint32 window) { m_ownWindow = window; }

protected:
    void run() override;

private:
    struct Change
    {
        quint32 owner = 0;
        quint32 time = 0; // the owner's own timestamp of taking the clipboard
        // Carried over from a read the same owner cut short by taking the clipboard again.
        std::optional<std::chrono::steady_clock::time_point> deadline;
    };
    void read(const Change &change);
    std::optional<QByteArray> convert(const Change &change, const QString &target, qint64 maxBytes,
                                      quint32 *type = nullptr);
    void readText(const Change &change, Content &content);

    std::unique_ptr<X11SelectionReader> m_reader;
    Deliver m_deliver;
    std::atomic<quint32> m_ownWindow{0};
    quint32 m_unanswering = 0; // the owner that let a deadline pass
    std::optional<Change> m_pending;
    // The state of the read under way.
    std::chrono::steady_clock::time_point m_readDeadline;
    bool m_firstRead = false;
    bool m_interrupted = false;
    bool m_timedOut = false;
};
