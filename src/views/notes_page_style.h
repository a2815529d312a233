#pragma once

#include "views/style/palette.h"
#include "views/style/styles.h"

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QSize>
#include <QString>

// Style structs of the notes page and the root view's small widgets. Sizes in logical
// pixels, durations in milliseconds. Factories are functions because fonts and the accent
// colour need a running application.

// One state of a square icon tile.
struct TileLook
{
    QString icon;
    QColor iconColor;
    QColor fill;
    QColor rim = Qt::transparent;
    QString toolTip;
};

// A square tile holding one icon, with an idle and an active look (copy → confirmed,
// edit → editing, pin → pinned, settings → open).
struct IconTileStyle
{
    QSize size{29, 29};
    double radius = 7;
    double rimWidth = 1;
    int iconSize = 13;
    TileLook idle;
    TileLook active;

    static IconTileStyle detailCopy();
    static IconTileStyle detailEdit();
    static IconTileStyle cardCopy();
    static IconTileStyle headerPin();
    static IconTileStyle headerSettings();
    static IconTileStyle supportClose();
};

// A borderless button: an icon followed by a text.
struct LabelButtonStyle
{
    QFont font;
    QColor text;
    QColor textPressed;
    QString icon;
    int iconSize = 12;
    int spacing = 5;
    QMargins padding{0, 0, 0, 0};

    static LabelButtonStyle footer(const QString &icon); // 11 regular, #66758B
    static LabelButtonStyle back();                      // 12 medium, accent
};

// The filled "新建" button of the list header.
struct NewButtonStyle
{
    QFont font;
    QColor text = Palette::white(1.0);
    QColor fill;
    QColor fillPressed;
    double radius = 8;
    int height = 30;
    int paddingX = 10;
    int iconSize = 12;
    int spacing = 4;
    QString icon = QStringLiteral("plus");
    QString label = QStringLiteral("新建");

    static NewButtonStyle standard();
};

struct NoteCardStyle
{
    QMargins padding{14, 12, 14, 12};
    int minHeight = 104;
    int spacing = 12;       // between the text column and the copy tile
    int lineSpacing = 7;    // between title, preview and meta row
    int previewLeading = 3; // extra space between preview lines
    int previewMaxLines = 3;
    double radius = 11;
    double rimWidth = 0.8;
    QFont titleFont;
    QColor titleColor = Palette::hex(0x202A3A);
    QFont previewFont;
    QColor previewColor = Palette::hex(0x677387);
    QFont metaFont;
    QColor metaColor = Palette::hex(0x98A1AF);
    QString metaIcon = QStringLiteral("doc.text");
    int metaIconSize = 10;
    QColor fill = Palette::white(0.32);
    QColor fillHover = Palette::white(0.66);
    QColor rim = Palette::white(0.56);
    QColor rimHover = Palette::white(0.96);
    ShadowStyle shadow{Palette::black(0.025), 3, {0, 3}};
    ShadowStyle shadowHover{Palette::black(0.065), 7, {0, 3}};
    QMargins shadowMargin{8, 4, 8, 10}; // room around the card for its shadow
    int copiedMs = 1200;
    IconTileStyle copy;

    static NoteCardStyle standard();
    // The card's height: every card is tall enough for a three-line preview, so the list
    // can place cards without reading their files.
    int cardHeight() const;
};

struct NoteListStyle
{
    int sideMargin = 18;
    int cardSpacing = 10;
    int bottomMargin = 14;
    QFont titleFont;
    QColor titleColor = Palette::kTitleInk;
    QFont countFont;
    QColor countColor = Palette::hex(0x78859A);
    QMargins headerPadding{18, 3, 18, 12};
    int searchBottom = 10;
    QFont emptyIconFont;
    int emptyIconSize = 30;
    QColor emptyIcon = Palette::kEmptyIcon;
    QFont emptyTitleFont;
    QColor emptyTitle = Palette::kEmptyTitle;
    QFont emptySubtitleFont;
    QColor emptySubtitle = Palette::kSecondaryText;
    int footerHeight = 46;
    int footerSpacing = 7;
    QColor divider = Palette::kDivider;

    static NoteListStyle standard();
};

struct NoteDetailStyle
{
    int headerHeight = 43;
    int sideMargin = 18;
    QFont fileNameFont;
    QColor fileNameColor = Palette::hex(0x78859A);
    int statusHeight = 46;
    QFont statusFont;
    QColor statusColor = Palette::kFooterText;
    int copiedMs = 1400;
    QColor divider = Palette::kDivider;

    static NoteDetailStyle standard();
};

struct NoteEditorStyle
{
    QFont font;
    QColor text = Palette::hex(0x1F2B3D);
    int outerPadding = 18;
    int innerPadding = 12;
    double radius = 9;
    QColor fill = Palette::white(0.56);
    QColor rim = Palette::hex(0xB8C9DF);
    double rimWidth = 1;

    static NoteEditorStyle standard();
};

// The read-only rendered note: the text sits 21 px from the sides and 20 px from the top
// and bottom of the scrolled content.
struct NoteViewStyle
{
    int insetX = 21;
    int insetY = 20;
};
