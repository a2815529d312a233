#pragma once

#include "store/clip_item.h"

#include <QFont>
#include <QString>
#include <QStringList>

// The texts a history row shows, as pure functions of the entry (and the clock).
namespace ClipRowText {

// Previews look at no more than this many UTF-16 units of the content: two lines are all
// that is shown, and cleaning megabytes of Markdown on every paint would freeze the panel.
constexpr int kPreviewSourceLimit = 4096;

// `text` cut to at most `limit` UTF-16 units, at a grapheme boundary (never inside a
// surrogate pair, a combining sequence or an emoji sequence).
QString leadingGraphemes(const QString &text, int limit);

QString preview(const ClipItem &item);
// "刚刚", "N 分钟前", "N 小时前", "N 天前" for the age `now - createdAt` (reference seconds);
// absurd or non-finite ages saturate instead of overflowing.
QString relativeTime(double createdAt, double now);
QString metaLine(const ClipItem &item, double now);

// The text broken into at most `maxLines` lines of `width` pixels (at word boundaries where
// possible, at explicit line breaks always); the last line is elided when text remains.
QStringList wrapLines(const QString &text, const QFont &font, int width, int maxLines);

} // namespace ClipRowText
