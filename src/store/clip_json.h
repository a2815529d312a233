#pragma once

#include "clip_item.h"
#include "preferences.h"

#include <QByteArray>
#include <QIODevice>
#include <QList>
#include <functional>
#include <optional>

// The two stored JSON formats. Writing is compact, keys in their fixed order, slashes
// escaped, UUIDs upper case. Reading is all or nothing: any missing required key, wrong JSON
// type, malformed UUID, unknown kind or string with a lone surrogate rejects the whole document.
namespace ClipJson {
QByteArray encodeClip(const ClipItem &item);
QByteArray encodeClips(const QList<ClipItem> &clips);
std::optional<QList<ClipItem>> decodeClips(const QByteArray &json);
// Decodes a history array from `device` element by element, handing each entry to `take` in
// the file's order; only one element is held in memory at a time. False when the document is
// malformed, after `take` has seen the entries before the fault.
bool readClips(QIODevice &device, const std::function<void(ClipItem &&item)> &take);

QByteArray encodePreferences(const Preferences &preferences);
// Also rejects a "noteDirectory" that is not an absolute path ("", "notes", "~/notes").
std::optional<Preferences> decodePreferences(const QByteArray &json);

// "XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX" in hexadecimal, either case; nothing else.
bool isCanonicalUuid(const QString &text);
} // namespace ClipJson
