#pragma once

#include "store/pasteboard.h"

#include <QBuffer>
#include <QImage>
#include <QList>
#include <QStringList>

// An in-memory clipboard for model tests. Every change of content (a test's set*/offer*
// call or the store's own write) bumps changeCount() and emits changed() synchronously, as
// the X11 clipboard does inside our own writes. Reads are counted so tests can check that a
// change is inspected only once.
class FakePasteboard : public Pasteboard
{
public:
    struct Content
    {
        QStringList types;
        std::optional<RawImage> image;
        std::optional<QList<QUrl>> urls;
        std::optional<QString> text;
    };
    struct Write
    {
        enum class Kind
        {
            text,
            image
        };
        Kind kind = Kind::text;
        QString text;
        QImage image;
    };

    using Pasteboard::Pasteboard;

    // Whether the store may rely on changed() alone (as on X11 with XFixes) and stop polling.
    bool announces = false;
    bool announcesChanges() const override { return announces; }

    qint64 changeCount() const override { return m_changeCount; }
    QStringList types() const override { return m_content.types; }
    std::optional<RawImage> image() const override
    {
        ++m_imageReads;
        return m_content.image;
    }
    std::optional<QList<QUrl>> urls() const override
    {
        ++m_urlReads;
        return m_content.urls;
    }
    std::optional<QString> text() const override
    {
        ++m_textReads;
        return m_content.text;
    }

    void writeText(const QString &text) override
    {
        m_writes.append(Write{Write::Kind::text, text, {}});
        offerText(text, {QStringLiteral("text/plain;charset=utf-8")});
    }
    void writeImage(const QImage &image) override
    {
        m_writes.append(Write{Write::Kind::image, {}, image});
        offerImage(image);
    }

    // Another program takes the clipboard: the whole content is replaced in one change.
    void setContent(const Content &content)
    {
        m_content = content;
        bump();
    }
    static Content textContent(const QString &text, const QStringList &extraTypes = {})
    {
        Content content;
        content.types = QStringList{QStringLiteral("text/plain")} + extraTypes;
        content.text = text;
        return content;
    }
    void offerText(const QString &text, const QStringList &extraTypes = {})
    {
        setContent(textContent(text, extraTypes));
    }
    void offerUrls(const QList<QUrl> &urls, const std::optional<QString> &text = std::nullopt)
    {
        Content content;
        content.types = {QStringLiteral("text/uri-list")};
        if (text)
            content.types << QStringLiteral("text/plain");
        content.urls = urls;
        content.text = text;
        setContent(content);
    }
    void offerImage(const QImage &image, const QStringList &extraTypes = {})
    {
        Content content;
        content.types = QStringList{QStringLiteral("image/png")} + extraTypes;
        content.image = RawImage{pngBytes(image), QStringLiteral("image/png")};
        setContent(content);
    }
    const Content &content() const { return m_content; }
    const QList<Write> &writes() const { return m_writes; }
    int imageReads() const { return m_imageReads; }
    int urlReads() const { return m_urlReads; }
    int textReads() const { return m_textReads; }

    static QByteArray pngBytes(const QImage &image)
    {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return bytes;
    }

private:
    void bump()
    {
        ++m_changeCount;
        emit changed();
    }

    Content m_content;
    qint64 m_changeCount = 1;
    QList<Write> m_writes;
    mutable int m_imageReads = 0;
    mutable int m_urlReads = 0;
    mutable int m_textReads = 0;
};
