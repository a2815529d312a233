#pragma once

#include "store/pasteboard.h"

// The gallery never touches the desktop clipboard: copies land here.
class GalleryPasteboard : public Pasteboard
{
public:
    using Pasteboard::Pasteboard;
    qint64 changeCount() const override { return m_count; }
    QStringList types() const override { return {}; }
    std::optional<RawImage> image() const override { return std::nullopt; }
    std::optional<QList<QUrl>> urls() const override { return std::nullopt; }
    std::optional<QString> text() const override { return m_text; }
    void writeText(const QString &text) override
    {
        m_text = text;
        ++m_count;
        emit changed();
    }
    void writeImage(const QImage &) override
    {
        m_text.reset();
        ++m_count;
        emit changed();
    }

private:
    qint64 m_count = 1;
    std::optional<QString> m_text;
};
