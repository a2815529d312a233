#pragma once

#include "platform/wl_paste_reader.h"
#include "store/pasteboard.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>

// Pasteboard over the Wayland clipboard, for compositors with the data-control protocol
// (KWin, sway): XWayland only mirrors the Wayland clipboard to X while an X window is
// active (KWin), so an X program that never takes focus does not see native programs'
// copies. Debian's wl-clipboard tools do the Wayland side as helper processes:
// `wl-paste --watch` announces each new clipboard content; its formats and the data the
// store may ask for (the first picture format, the URL list, the text) are then read with
// one `wl-paste --type` after the other, never blocking. Only when all is read does
// changeCount() move and changed() fire, so the getters answer from what was read.
// A change arriving meanwhile drops the reads under way and starts over. The watcher's
// first report, when it comes at once, is the content found at Quillo's start: no change.
//
// Writes go through `wl-copy` (which serves the content after we exit, as a clipboard
// manager's copy should) and count as a change at once; when the watcher then reports
// that same content it is not counted again.
class WlClipboardPasteboard : public Pasteboard
{
    Q_OBJECT
public:
    explicit WlClipboardPasteboard(QObject *parent = nullptr);
    ~WlClipboardPasteboard() override;

    bool announcesChanges() const override { return true; }
    qint64 changeCount() const override { return m_changeCount; }
    QStringList types() const override { return m_content.types; }
    std::optional<RawImage> image() const override { return m_content.image; }
    std::optional<QList<QUrl>> urls() const override { return m_content.urls; }
    std::optional<QString> text() const override { return m_content.text; }

    void writeText(const QString &text) override;
    void writeImage(const QImage &image) override;

    // The text format to read among the offered ones, or empty.
    static QString textFormat(const QStringList &types);

private:
    struct Content
    {
        QStringList types;
        std::optional<RawImage> image;
        std::optional<QList<QUrl>> urls;
        std::optional<QString> text;
    };

    void startWatching();
    void onWatchOutput();
    void fetch();
    void readImage();
    void readUrls();
    void readText();
    void publish();
    void write(const QString &type, const QByteArray &bytes, Content content);

    QProcess m_watch;
    QTimer m_restartWatch;
    WlPasteReader m_reader;
    qint64 m_changeCount = 0;
    Content m_content;
    Content m_incoming;
    std::optional<Content> m_ownWrite; // what we last wrote, until the watcher reports it
    QElapsedTimer m_sinceWatchStart;
    bool m_sawReport = false;
    bool m_fetchingBaseline = false; // the fetch under way reads the content found at start
};
