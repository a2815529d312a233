#include "views/clipboard/clip_styles.h"

#include "views/style/fonts.h"

ClipRowStyle ClipRowStyle::standard()
{
    ClipRowStyle style;
    style.previewFont = Fonts::ui(13.5, QFont::Medium);
    style.codeFont = Fonts::mono(12.5);
    style.metaFont = Fonts::ui(10.5);
    style.accentBar = Palette::accent(0.84);
    style.pinMarkColor = Palette::accent(0.82);
    return style;
}

KindTileLook ClipRowStyle::kindLook(ClipKind kind)
{
    switch (kind) {
    case ClipKind::text: return {QStringLiteral("doc.text"), Palette::kTileIcon, Palette::kTileLight};
    case ClipKind::link: return {QStringLiteral("link"), Palette::kLinkIcon, Palette::kLinkTile};
    case ClipKind::code:
        return {QStringLiteral("chevron.left.forwardslash.chevron.right"), Palette::kCodeIcon, Palette::kCodeTile};
    case ClipKind::image: return {QStringLiteral("photo"), Palette::kTileIcon, Palette::kTileLight};
    case ClipKind::file: return {QStringLiteral("doc"), Palette::kTileIcon, Palette::kTileLight};
    }
    return {QStringLiteral("doc"), Palette::kTileIcon, Palette::kTileLight};
}

ActionTileStyle ActionTileStyle::standard()
{
    ActionTileStyle style;
    style.iconActive = Palette::accent();
    return style;
}

EmptyStateStyle EmptyStateStyle::standard()
{
    EmptyStateStyle style;
    style.titleFont = Fonts::ui(14, QFont::Medium);
    style.subtitleFont = Fonts::ui(11);
    return style;
}

ClipboardPageStyle ClipboardPageStyle::standard()
{
    ClipboardPageStyle style;
    style.footerFont = Fonts::ui(11);
    return style;
}
