#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <optional>

// The system clipboard as the store needs it. The real one wraps QClipboard (the X11
// CLIPBOARD selection); tests use an in-memory one.
class Pasteboard : public QObject
{
    Q_OBJECT
public:
    struct RawImage
    {
        QByteArray bytes; // encoded picture exactly as offered (PNG, BMP, JPEG, ...)
        QString mimeType; // the format it was read from
    };

    using QObject::QObject;

    // Grows on every change of the clipboard's content by anyone, our own writes included.
    virtual qint64 changeCount() const = 0;
    // The offered formats (MIME names and X11 targets); empty when nothing is offered.
    virtual QStringList types() const = 0;
    // Raw bytes of the first offered picture format, if any.
    virtual std::optional<RawImage> image() const = 0;
    // The offered URL list (text/uri-list, GNOME's copied-files list), if any.
    virtual std::optional<QList<QUrl>> urls() const = 0;
    // Plain text, if any.
    virtual std::optional<QString> text() const = 0;

    // True when changed() follows every change by any program, so that polling changeCount()
    // would find nothing new; the store then stops its poll timer.
    virtual bool announcesChanges() const { return false; }

    // Replace the content (no separate clear: that would be a second change).
    virtual void writeText(const QString &text) = 0;
    virtual void writeImage(const QImage &image) = 0;

signals:
    // Emitted when changeCount() moves (asynchronously for other programs' copies,
    // synchronously inside our own writes).
    void changed();
};
