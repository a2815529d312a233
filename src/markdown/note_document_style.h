#pragma once

#include <QColor>

// Sizes and colours of the rendered note. Sizes are device-independent pixels; fonts get
// them as point sizes converted at the 96 dpi reference (pixelsToPoints), which keeps the
// fractional sizes (12.5, 13.5) exact and follows the desktop's font DPI setting.
// The two semantic colours default to light-theme values; the note view passes its
// palette's equivalents.
struct NoteDocumentStyle
{
    QColor secondaryLabel = QColor(0x6E, 0x6E, 0x73);
    QColor separator = QColor(0xC6, 0xC6, 0xC8);

    QColor titleColor = QColor(24, 34, 53);   // #182235
    QColor headingColor = QColor(31, 43, 61); // #1F2B3D
    QColor bodyColor = QColor(44, 58, 78);    // #2C3A4E
    QColor quoteColor = QColor(91, 105, 124); // #5B697C

    qreal titleSize = 21;
    qreal heading2Size = 17;
    qreal headingSize = 15; // levels 3 to 6
    qreal bodySize = 13.5;
    qreal codeSize = 12.5; // fence lines and four-space lines, monospaced
    qreal ruleSize = 11;

    qreal titleParagraphSpacing = 15;
    qreal bodyLineSpacing = 5;
    qreal bodyParagraphSpacing = 7;

    static constexpr qreal pixelsToPoints(qreal pixels) { return pixels * 72.0 / 96.0; }

    bool operator==(const NoteDocumentStyle &other) const = default;
};
