#pragma once

#include <QColor>
#include <QStringList>

// Sizes and colours of the rendered note. Sizes are device-independent pixels; fonts get
// them as point sizes converted at the 96 dpi reference (pixelsToPoints), which keeps the
// fractional sizes (12.5, 13.5) exact and follows the desktop's font DPI setting.
// The colours belong to the panel's look, so the caller passes them in (the note view
// fills them from its palette).
struct NoteDocumentStyle
{
    QColor secondaryLabel; // code fences
    QColor separator;      // thematic breaks
    QColor titleColor;
    QColor headingColor;
    QColor bodyColor;
    QColor quoteColor;
    // Font families of code lines, first choice first; empty: the system's fixed font.
    QStringList codeFamilies;

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
