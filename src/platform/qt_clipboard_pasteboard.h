#pragma once

#include "store/pasteboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <memory>
#include <optional>

class X11ClipboardWatcher;

// Pasteboard for the X11 CLIPBOARD selection (PRIMARY changes on every text selection and
// is not what people mean by "copy").
//
// Other programs' copies are read on a worker thread with an X connection of its own (see
// X11ClipboardWatcher): every read from another program is a round trip to that program,
// and one that does not answer would otherwise freeze the panel. changeCount() moves, and
// changed() fires, only once a copy has been read; the getters answer from what was read.
// A content read for an owner that has since lost the clipboard to another program is
// dropped (an owner that exited after answering, as `xclip -loops 1` does, is no other
// owner); the new owner's content follows.
//
// Writes go through QClipboard, which serves our content to other programs, and count as a
// change at once.
//
// Without an X server with XFixes (another Qt platform), changes come from QClipboard and are
// read from it directly.
class QtClipboardPasteboard : public Pasteboard
{
    Q_OBJECT
public:
    explicit QtClipboardPasteboard(QObject *parent = nullptr);
    ~QtClipboardPasteboard() override;

    qint64 changeCount() const override { return m_changeCount; }
    bool announcesChanges() const override { return true; }
    QStringList types() const override { return m_content.types; }
    std::optional<RawImage> image() const override { return m_content.image; }
    std::optional<QList<QUrl>> urls() const override { return m_content.urls; }
    std::optional<QString> text() const override { return m_content.text; }

    void writeText(const QString &text) override;
    void writeImage(const QImage &image) override;

    // Parsers of the two URL list formats; nullopt when the data is not a clean list of
    // absolute URLs (the text then goes the plain-text way).
    static std::optional<QList<QUrl>> parseUriList(const QByteArray &data);
    static std::optional<QList<QUrl>> parseGnomeCopiedFiles(const QByteArray &data);

private:
    struct Content
    {
        QStringList types;
        std::optional<RawImage> image;
        std::optional<QList<QUrl>> urls;
        std::optional<QString> text;
    };

    void publish(Content content);
    void onQtClipboardChanged(QClipboard::Mode mode);
    // The X11 window owning CLIPBOARD now; 0 when nobody owns it or not on X11.
    quint32 selectionOwner() const;

    QPointer<QClipboard> m_clipboard;
    std::unique_ptr<X11ClipboardWatcher> m_watcher;
    qint64 m_changeCount = 0;
    Content m_content;
    mutable quint32 m_clipboardAtom = 0;
};
