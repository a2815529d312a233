#pragma once

#include "views/style/palette.h"
#include "views/style/styles.h"

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QSize>

// Style structs of the root view: header, mode picker, page transition and the two
// overlay cards. Sizes in logical pixels, durations in milliseconds.

struct RootHeaderStyle
{
    QMargins padding{18, 15, 18, 11};
    int spacing = 8;
    QFont titleFont;
    QColor titleColor = Palette::kTitleInk;
    QString title = QStringLiteral("Quillo");
    IconTileStyle pin;
    IconTileStyle settings;

    static RootHeaderStyle standard();
};

struct ModePickerStyle
{
    QMargins outerPadding{18, 0, 18, 12};
    int innerPadding = 4;
    int spacing = 4;
    int segmentHeight = 34;
    double radius = 11;
    QColor fill = Palette::black(0.055);
    QColor rim = Palette::white(0.68);
    double rimWidth = 0.8;
    ShadowStyle shadow{Palette::black(0.045), 8, {0, 3}};
    double pillRadius = 8;
    QColor pillFill = Palette::white(0.68);
    QColor pillRim = Palette::white(0.88);
    ShadowStyle pillShadow{Palette::black(0.075), 5, {0, 2}};
    QFont font;
    int iconSize = 13;
    int iconSpacing = 6;
    QColor selectedText = Palette::kModeSelectedText;
    QColor otherText = Palette::kModeOtherText;
    int slideMs = 280; // the pill's slide, close to a spring of response 0.28 s

    static ModePickerStyle standard();
};

struct PageTransitionStyle
{
    int durationMs = 180;
    int clipboardOffset = 10; // the clipboard page enters from the right
    int notesOffset = -10;    // the notes page from the left
};

struct SettingsCardStyle
{
    int width = 285;
    int padding = 15;
    int top = 58;      // from the root view's top edge
    int trailing = 18; // from its right edge
    GlassStyle glass;
    QFont titleFont;
    QFont noteFont;
    QColor noteColor = Palette::kSecondaryText;
    QFont rowFont;
    QColor rowText = Palette::kPrimaryText;
    QFont pathFont;
    QColor pathColor = Palette::kSecondaryText;
    QColor quitColor = Palette::kQuitText;
    QColor divider = Palette::kDivider;
    int iconSize = 14;
    ToggleSwitchStyle toggle;

    static SettingsCardStyle standard();
};

struct SupportCardStyle
{
    int width = 320;
    int padding = 16;
    int spacing = 12;
    GlassStyle glass;
    QColor backdrop = Palette::black(0.16);
    QFont titleFont;
    QFont subtitleFont;
    QColor subtitleColor = Palette::kSecondaryText;
    int pictureHeight = 250;
    double pictureRadius = 12;
    int buttonHeight = 36;
    IconTileStyle close;
    ButtonStyle mail;
    ButtonStyle website;

    static SupportCardStyle standard();
};
