#pragma once

#include "clip_item.h"
#include "preferences.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The two stored JSON formats. Writing is compact, keys in their fixed order, slashes
// escaped, UUIDs upper case. Reading is all or nothing: any missing required key, wrong JSON
// type, malformed UUID or unknown kind rejects the whole document.
namespace ClipJson {
QByteArray encodeClip(const ClipItem &item);
QByteArray encodeClips(const QList<ClipItem> &clips);
std::optional<QList<ClipItem>> decodeClips(const QByteArray &json);

QByteArray encodePreferences(const Preferences &preferences);
// Also rejects a "noteDirectory" that is not an absolute path ("", "notes", "~/notes").
std::optional<Preferences> decodePreferences(const QByteArray &json);

// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" in hexadecimal, either case; nothing else.
bool isCanonicalUuid(const QString &text);
} // namespace ClipJson
