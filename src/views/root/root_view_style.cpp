#include "views/root/root_view_style.h"

#include "views/style/fonts.h"

namespace {

IconTileStyle headerPinTile()
{
    IconTileStyle style;
    style.size = QSize(32, 32);
    style.radius = 8;
    style.rimWidth = 0.75;
    style.iconSize = 15;
    style.idle = {QStringLiteral("pin.fill"), Palette::kHeaderPinIcon, Palette::white(0.16), Palette::white(0.30),
                  QStringLiteral("固定面板")};
    style.active = {QStringLiteral("pin.fill"), Palette::accent(), Palette::white(0.58), Palette::white(0.78),
                    QStringLiteral("取消固定")};
    return style;
}

IconTileStyle headerSettingsTile()
{
    IconTileStyle style = headerPinTile();
    style.idle = {QStringLiteral("gearshape"), Palette::kHeaderSettingsIcon, Palette::white(0.16), Palette::white(0.30),
                  QStringLiteral("设置")};
    style.active = style.idle;
    style.active.fill = Palette::white(0.58);
    style.active.rim = Palette::white(0.78);
    return style;
}

IconTileStyle supportCloseTile()
{
    IconTileStyle style;
    style.size = QSize(28, 28);
    style.radius = 8;
    style.rimWidth = 0;
    style.iconSize = 12;
    style.idle = {QStringLiteral("xmark"), Palette::kSecondaryButtonText, Palette::white(0.5), Qt::transparent,
                  QStringLiteral("关闭")};
    style.active = style.idle;
    return style;
}

} // namespace

RootHeaderStyle RootHeaderStyle::standard()
{
    RootHeaderStyle style;
    style.titleFont = Fonts::rounded(20, QFont::Bold);
    style.pin = headerPinTile();
    style.settings = headerSettingsTile();
    return style;
}

ModePickerStyle ModePickerStyle::standard()
{
    ModePickerStyle style;
    style.font = Fonts::ui(12.5, QFont::DemiBold);
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
    style.close = supportCloseTile();
    style.mail = ButtonStyle::secondary();
    style.website = ButtonStyle::primary();
    return style;
}
