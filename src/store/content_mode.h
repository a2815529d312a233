#pragma once

#include <QList>
#include <QString>
#include <optional>

// Which page the panel shows. The raw values double as the page titles.
enum class ContentMode
{
    notes,
    clipboard
};

namespace ContentModes {
inline QList<ContentMode> allCases()
{
    return {ContentMode::notes, ContentMode::clipboard};
}

inline QString rawValue(ContentMode mode)
{
    return mode == ContentMode::notes ? QStringLiteral("笔记") : QStringLiteral("剪贴板");
}

inline std::optional<ContentMode> fromRawValue(const QString &raw)
{
    for (ContentMode mode : allCases())
        if (rawValue(mode) == raw)
            return mode;
    return std::nullopt;
}
} // namespace ContentModes
