#pragma once

#include <QFont>

// Fonts of the look. Sizes are device-independent pixels, as the design states them: a
// "13" is 13 px text. Chinese text needs the SC family named explicitly: under a C or
// English locale fontconfig would otherwise pick the Japanese glyph forms.
namespace Fonts {

inline constexpr const char *kChineseFamily = "Noto Sans CJK SC";

// The system sans font followed by the SC family, at `pixelSize` px. Fractional sizes
// (12.5, 13.5) go through point sizes converted with the primary screen's logical dpi,
// since QFont::setPixelSize only takes whole pixels.
QFont ui(double pixelSize, QFont::Weight weight = QFont::Normal);
// The system fixed-width font at `pixelSize` px, the SC family as fallback.
QFont mono(double pixelSize, QFont::Weight weight = QFont::Normal);
// The rounded design where the system has one; falls back to ui().
QFont rounded(double pixelSize, QFont::Weight weight = QFont::Normal);

} // namespace Fonts
