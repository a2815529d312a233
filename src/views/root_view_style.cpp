#include "views/root_view_style.h"

#include "views/style/fonts.h"

RootHeaderStyle RootHeaderStyle::standard()
{
    RootHeaderStyle style;
    style.titleFont = Fonts::rounded(20, QFont::Bold);
    return style;
}

ModePickerStyle ModePickerStyle::standard()
{
    ModePickerStyle style;
    style.font = Fonts::ui(12.5, QFont::DemiBold);
    return style;
}

ToggleSwitchStyle ToggleSwitchStyle::standard()
{
    ToggleSwitchStyle style;
    style.trackOn = Palette::accent();
    return style;
}

SettingsCardStyle SettingsCardStyle::standard()
{
    SettingsCardStyle style;
    style.glass.radius = 13;
    style.glass.fill = Palette::white(0.42);
    style.glass.rim = Palette::white(0.72);
    style.glass.shadow = ShadowStyle{Palette::black(0.10), 16, {0, 7}};
    style.glass.backdrop = true;
    style.glass.material = 6;
    style.glass.blendingMode = 1;
    style.titleFont = Fonts::ui(14, QFont::DemiBold);
    style.noteFont = Fonts::ui(11);
    style.rowFont = Fonts::ui(13);
    style.pathFont = Fonts::ui(10);
    style.toggle = ToggleSwitchStyle::standard();
    return style;
}

SupportCardStyle SupportCardStyle::standard()
{
    SupportCardStyle style;
    style.glass.radius = 16;
    style.glass.fill = Palette::white(0.55);
    style.glass.rim = Palette::white(0.8);
    style.glass.shadow = ShadowStyle{Palette::black(0.16), 20, {0, 8}};
    style.glass.backdrop = true;
    style.glass.material = 6;
    style.glass.blendingMode = 1;
    style.titleFont = Fonts::ui(16, QFont::DemiBold);
    style.subtitleFont = Fonts::ui(11);
    style.close = IconTileStyle::supportClose();
    style.mail = ButtonStyle::secondary();
    style.website = ButtonStyle::primary();
    return style;
}
