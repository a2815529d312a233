#pragma once

#include "clip_kind.h"

#include <QString>

// How copied text enters the history: whether it looks like a secret, which kind it gets
// and its short title. Pure functions, safe on any thread.
namespace Classification {

// True when any of the eight secret patterns (passwords, one-time codes, access tokens)
// matches anywhere in text. A match the regex engine cannot finish counts as a match: when
// in doubt, a possible secret is not recorded.
bool looksSensitive(const QString &text);

// link, code or text (never image or file). Expects trimmed text.
ClipKind classify(const QString &text);

// The first line of the text (split at any Unicode line separator), cut to 64 user-perceived
// characters. Expects trimmed text.
QString textTitle(const QString &trimmedText);

// White space and line breaks (Unicode Zs, Zl, Zp, tab, U+000A..U+000D, U+0085) removed
// from both ends; inner ones stay.
QString trimmedClipText(const QString &text);

} // namespace Classification
