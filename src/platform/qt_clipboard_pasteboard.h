#pragma once

#include "store/pasteboard.h"

#include <QByteArray>
#include <QClipboard>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <optional>

class QMimeData;

// Pasteboard over QClipboard, CLIPBOARD selection only: PRIMARY changes on every text
// selection and is not what people mean by "copy".
//
// X11 has no change counter, so changeCount() counts QClipboard::changed(Clipboard). Qt
// emits it a few milliseconds after another program takes the clipboard, when the owner
// exits (the content is then empty) and synchronously inside our own setText/setImage.
//
// Every read from another program is a round trip to that program through the X server;
// an owner that does not answer blocks the calling thread for Qt's clipboard timeout
// (about 5 s). The offered formats are therefore read once per change and kept.
//
// X11 cannot tie a read to a generation: when another program takes the clipboard while
// we are reading, the data request is answered by the new owner, although the formats
// came from the old one (a picture's bytes would then be read as "text"). The owner of
// the selection is noted when a generation's formats are read and checked after every
// data read; data from another owner counts as absent (an owner that has since exited
// is not another owner). The change notification for the
// new owner follows and that content is read on its own.
class QtClipboardPasteboard : public Pasteboard
{
    Q_OBJECT
public:
    explicit QtClipboardPasteboard(QObject *parent = nullptr);

    qint64 changeCount() const override { return m_changeCount; }
    // True on X11 when the server has XFixes: Qt then reports every change by any program.
    bool announcesChanges() const override { return m_announcesChanges; }
    QStringList types() const override;
    std::optional<RawImage> image() const override;
    std::optional<QList<QUrl>> urls() const override;
    std::optional<QString> text() const override;

    void writeText(const QString &text) override;
    void writeImage(const QImage &image) override;

    // Parsers of the two URL list formats; nullopt when the data is not a clean list of
    // absolute URLs (the text then goes the plain-text way).
    static std::optional<QList<QUrl>> parseUriList(const QByteArray &data);
    static std::optional<QList<QUrl>> parseGnomeCopiedFiles(const QByteArray &data);

private:
    void onClipboardChanged(QClipboard::Mode mode);
    const QMimeData *mimeData() const;
    QByteArray readFormat(const QString &format) const;
    // The X11 window owning CLIPBOARD now; 0 on other platforms or when nobody owns it.
    quint32 selectionOwner() const;
    // False once the owner has changed since this generation's formats were read.
    bool sameOwnerAsFormats() const;

    QPointer<QClipboard> m_clipboard;
    qint64 m_changeCount = 0;
    bool m_announcesChanges = false;
    // The formats of generation m_formatsGeneration, read at most once per change.
    mutable std::optional<QStringList> m_formats;
    mutable qint64 m_formatsGeneration = -1;
    mutable quint32 m_formatsOwner = 0;
    mutable bool m_ownerChanged = false;
    mutable quint32 m_clipboardAtom = 0;
};
