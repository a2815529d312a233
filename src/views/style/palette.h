#pragma once

#include <QColor>
#include <QGuiApplication>
#include <QPalette>

// Every colour of the panel's look. Opaque colours are written as 0xRRGGBB; translucent
// ones as white or black with an opacity, which is how the design states them.
namespace Palette {

constexpr QColor hex(quint32 rgb)
{
    return QColor(int((rgb >> 16) & 0xff), int((rgb >> 8) & 0xff), int(rgb & 0xff));
}
constexpr QColor white(double opacity)
{
    return QColor(255, 255, 255, int(opacity * 255 + 0.5));
}
constexpr QColor black(double opacity)
{
    return QColor(0, 0, 0, int(opacity * 255 + 0.5));
}

inline QColor withOpacity(QColor color, double opacity)
{
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

// The desktop's control accent: the palette's highlight colour.
inline QColor accent()
{
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
}
inline QColor accent(double opacity)
{
    return withOpacity(accent(), opacity);
}

// Text
constexpr QColor kTitleInk = hex(0x182235);      // "Quillo" title
constexpr QColor kPrimaryText = black(0.85);     // ordinary label text
constexpr QColor kSecondaryText = black(0.5);    // secondary label text
constexpr QColor kPlaceholderText = black(0.26); // empty text field prompt
constexpr QColor kSecondaryButtonText = hex(0x34435A);
constexpr QColor kPrimaryButtonText = white(1.0);

// Clip row
constexpr QColor kRowPreview = hex(0x263247);
constexpr QColor kRowMeta = hex(0x8994A5);
constexpr QColor kTileIcon = hex(0x44536A);
constexpr QColor kTileLight = hex(0xF1F1EE);
constexpr QColor kLinkIcon = hex(0x2774D7);
constexpr QColor kLinkTile = hex(0xEDF4FB);
constexpr QColor kCodeIcon = white(1.0);
constexpr QColor kCodeTile = hex(0x263245);
constexpr QColor kActionIcon = hex(0x657389);
constexpr QColor kCopiedIcon = hex(0x238454);
constexpr QColor kCopiedTile = hex(0xE8F7EE);

// Search field
constexpr QColor kSearchIcon = hex(0x718098);
constexpr QColor kSearchClearIcon = hex(0x94A0B2);

// Clipboard page
constexpr QColor kEmptyIcon = hex(0x8290A3);
constexpr QColor kEmptyTitle = hex(0x4F5E73);
constexpr QColor kFooterText = hex(0x66758B);
constexpr QColor kDivider = black(0.1);

// Notes page
constexpr QColor kNoteCardTitle = hex(0x202A3A);
constexpr QColor kNoteCardPreview = hex(0x677387);
constexpr QColor kNoteCardMeta = hex(0x98A1AF);
constexpr QColor kNoteCount = hex(0x78859A); // the list's count and the detail's file name
constexpr QColor kNoteTileIcon = hex(0x56657A);
constexpr QColor kNoteTileRim = hex(0xD6DEE8);
constexpr QColor kNoteConfirmedRim = hex(0xA8D4BA);
constexpr QColor kEditorText = hex(0x1F2B3D);
constexpr QColor kEditorRim = hex(0xB8C9DF);

// The rendered note
constexpr QColor kNoteTitle = kTitleInk;
constexpr QColor kNoteHeading = hex(0x1F2B3D);
constexpr QColor kNoteBody = hex(0x2C3A4E);
constexpr QColor kNoteQuote = hex(0x5B697C);
constexpr QColor kNoteFence = kPlaceholderText;
constexpr QColor kRule = black(0.2); // thematic breaks; the widgets' "mid" palette role

// Root view
constexpr QColor kHeaderPinIcon = hex(0x3E444D);
constexpr QColor kHeaderSettingsIcon = hex(0x40506A);
constexpr QColor kModeSelectedText = hex(0x171A1F);
constexpr QColor kModeOtherText = hex(0x6B717B);
constexpr QColor kQuitText = hex(0xB84B4B);

// The thin border around the docked panel.
constexpr QColor kPanelBorder = white(0.76);

// Backdrops. Without a compositor nothing behind the window can show through, so the
// blur materials become an opaque light surface of the same tone.
constexpr QColor kOpaqueBackdrop = hex(0xE8ECF1);
constexpr QColor kOpaquePopoverBackdrop = hex(0xF2F4F7);
constexpr QColor kSidebarTint = QColor(236, 240, 245, 150); // stands in for the sidebar blur
constexpr QColor kPopoverTint = QColor(244, 246, 249, 170); // stands in for the popover blur

// The gallery's stand-ins for what lies around the panel (not part of the panel's look):
// a desktop behind translucent parts and a copied picture.
constexpr QColor kGalleryDesktopStart = hex(0x5B86E5);
constexpr QColor kGalleryDesktopEnd = hex(0xE09B6B);
constexpr QColor kGalleryPictureStart = hex(0xF29E4C);
constexpr QColor kGalleryPictureEnd = hex(0x6A3D9A);

} // namespace Palette
