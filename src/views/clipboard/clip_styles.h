#pragma once

#include "store/clip_kind.h"
#include "views/style/styles.h"

#include <QFont>
#include <QMargins>
#include <QSize>
#include <QString>

// Style structs of the clipboard page and its rows.

// The icon and colours of a kind tile.
struct KindTileLook
{
    QString icon;
    QColor iconColor;
    QColor tileColor;
};

struct ClipRowStyle
{
    int minHeight = 74;
    QMargins padding{12, 10, 12, 10};
    int spacing = 11; // thumbnail to text
    int thumbnailSize = 46;
    double thumbnailRadius = 8;
    int tileSize = 34;
    double tileRadius = 8;
    int tileIconSize = 15;
    int textTrailingReserve = 89; // room of the action buttons; the text never reflows
    int textSpacing = 6;          // preview to meta line
    QFont previewFont;
    QFont codeFont;
    QColor previewColor = Palette::kRowPreview;
    double previewLineSpacing = 2;
    int previewMaxLines = 2;
    QFont metaFont;
    QColor metaColor = Palette::kRowMeta;
    QString metaSeparator = QStringLiteral(" · ");

    double radius = 10;
    QColor fillRest = Palette::white(0.32);
    QColor fillHover = Palette::white(0.66);
    QColor rimRest = Palette::white(0.56);
    QColor rimHover = Palette::white(0.96);
    double rimWidth = 0.8;
    QSizeF accentBarSize{2, 24};
    double accentBarInset = 1;
    QColor accentBar;
    ShadowStyle shadowRest{Palette::black(0.025), 3, {0, 3}};
    ShadowStyle shadowHover{Palette::black(0.065), 7, {0, 3}};

    int pinMarkIconSize = 10;
    QColor pinMarkColor;
    int pinMarkWidth = 27;
    int trailingPadding = 12; // action buttons and pin mark
    int actionSpacing = 4;
    int actionsFadeMs = 140; // the action buttons fade in and out, the pin mark the other way

    static ClipRowStyle standard();
    static KindTileLook kindLook(ClipKind kind);
};

struct ActionTileStyle
{
    int size = 27;
    double radius = 7;
    int iconSize = 11;
    QColor fill = Palette::white(0.62);
    QColor fillPressed = Palette::white(0.42);
    QColor icon = Palette::kActionIcon;
    QColor iconActive; // a pinned entry's pin icon: accent
    QColor iconCopied = Palette::kCopiedIcon;
    QColor fillCopied = Palette::kCopiedTile;

    static ActionTileStyle standard();
};

struct EmptyStateStyle
{
    int spacing = 9;
    int iconSize = 31;
    QColor iconColor = Palette::kEmptyIcon;
    QFont titleFont;
    QColor titleColor = Palette::kEmptyTitle;
    QFont subtitleFont;
    QColor subtitleColor = Palette::kSecondaryText;

    static EmptyStateStyle standard();
};

struct ClipboardPageStyle
{
    int paddingX = 18;
    int searchBottom = 9;
    int listSpacing = 7;
    int listBottom = 12;
    int shadowMargin = 12; // room around rows for their shadows
    QColor divider = Palette::kDivider;
    int footerHeight = 42;
    int footerSpacing = 8;
    int footerIconSize = 12;
    QFont footerFont;
    QColor footerText = Palette::kFooterText;

    static ClipboardPageStyle standard();
};
