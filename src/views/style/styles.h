#pragma once

#include "views/style/palette.h"

#include <QColor>
#include <QEasingCurve>
#include <QFont>
#include <QMargins>
#include <QPointF>
#include <QSize>
#include <QSizeF>
#include <QString>

// Style structs of the shared building blocks. A widget takes one of these; a variant is a
// copy with a few fields changed. Sizes in logical pixels, durations in milliseconds.
// Factories are functions because fonts and the accent colour need a running application.

struct ShadowStyle
{
    QColor color = Qt::transparent;
    double radius = 0; // blur radius
    QPointF offset;    // x right, y down
};

// A rounded card or tile of glass: optional backdrop material, fill, rim and shadow.
struct GlassStyle
{
    double radius = 8;
    QColor fill = Qt::transparent;
    QColor rim = Qt::transparent;
    double rimWidth = 0.8;
    ShadowStyle shadow;
    bool backdrop = false; // draw the material backdrop under the fill
    int material = 6;      // popover 6, sidebar 7
    int blendingMode = 1;  // behind-window 0, within-window 1
};

// The panel background: material, a white wash and a diagonal three-stop gradient.
struct CanvasStyle
{
    QColor wash = Palette::white(0.22);
    QColor gradientStart = Palette::white(0.42);
    QColor gradientMiddle = Palette::white(0.08);
    QColor gradientEnd = Palette::black(0.025);
    int material = 7;
    int blendingMode = 0;

    static CanvasStyle standard() { return {}; }
};

struct ButtonStyle
{
    QFont font;
    QColor text;
    QColor fill;
    QColor fillPressed;
    QColor rim = Qt::transparent; // none when transparent
    double rimWidth = 0;
    double radius = 8;
    QMargins padding{16, 8, 16, 8}; // the label's own margins
    int iconSize = 14;
    int iconSpacing = 6;

    static ButtonStyle primary();
    static ButtonStyle secondary();
};

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
// edit → editing, pin → pinned, settings → open). The pages' style structs hold the variants.
struct IconTileStyle
{
    QSize size{29, 29};
    double radius = 7;
    double rimWidth = 1;
    int iconSize = 13;
    TileLook idle;
    TileLook active;
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
};

struct ToggleSwitchStyle
{
    QSize size{34, 20};
    QColor trackOff = Palette::black(0.16);
    QColor trackOn;
    QColor knob = Palette::white(1.0);
    ShadowStyle knobShadow{Palette::black(0.18), 2, {0, 1}};
    int slideMs = 140;

    static ToggleSwitchStyle standard();
};

struct EdgeTabStyle
{
    QSize windowSize{18, 72};
    QSizeF pillRest{7, 43};
    QSizeF pillHover{8, 47};
    QColor hitFill = Palette::white(0.001);
    QColor fillRest = Palette::white(0.34);
    QColor fillHover = Palette::white(0.46);
    QColor rimLeading = Palette::white(0.94);
    QColor rimTrailing = Palette::white(0.28);
    double rimWidth = 0.8;
    ShadowStyle shadowRest{Palette::black(0.14), 3, {-1, 1}};
    ShadowStyle shadowHover{Palette::black(0.22), 5, {-1, 1}};
    int hoverDurationMs = 140;
    QEasingCurve hoverEasing = easeOut();
    QString toolTip = QStringLiteral("展开Quillo");

    static EdgeTabStyle standard() { return {}; }
    // The usual ease-out timing curve, cubic Bézier (0, 0)–(0.58, 1).
    static QEasingCurve easeOut();
};

struct SearchFieldStyle
{
    int height = 37;
    int paddingX = 11;
    int spacing = 8;
    int iconSize = 14;
    int clearIconSize = 14;
    QColor icon = Palette::kSearchIcon;
    QColor clearIcon = Palette::kSearchClearIcon;
    QColor text = Palette::kPrimaryText;
    QColor placeholder = Palette::kPlaceholderText;
    QFont font;
    QColor fill = Palette::white(0.42);
    double radius = 9;
    QColor rim = Palette::white(0.7);
    double rimWidth = 0.8;
    ShadowStyle shadow{Palette::black(0.025), 5, {0, 2}};
    QString clearToolTip = QStringLiteral("清除搜索");

    static SearchFieldStyle standard();
};
