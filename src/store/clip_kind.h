#pragma once

#include <QString>
#include <optional>

// What a clipboard history entry holds; stored in JSON as its raw value.
enum class ClipKind
{
    text,
    link,
    code,
    image,
    file
};

namespace ClipKinds {
inline QString rawValue(ClipKind kind)
{
    switch (kind) {
    case ClipKind::text: return QStringLiteral("text");
    case ClipKind::link: return QStringLiteral("link");
    case ClipKind::code: return QStringLiteral("code");
    case ClipKind::image: return QStringLiteral("image");
    case ClipKind::file: return QStringLiteral("file");
    }
    return {};
}

inline std::optional<ClipKind> fromRawValue(const QString &raw)
{
    for (ClipKind kind : {ClipKind::text, ClipKind::link, ClipKind::code, ClipKind::image, ClipKind::file})
        if (rawValue(kind) == raw)
            return kind;
    return std::nullopt;
}
} // namespace ClipKinds
