#include "views/notes_page_style.h"

#include "views/style/fonts.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

const QColor kTileIcon = Palette::hex(0x56657A);
const QColor kTileRim = Palette::hex(0xD6DEE8);
const QColor kConfirmedRim = Palette::hex(0xA8D4BA);

TileLook copyIdle()
{
    return {QStringLiteral("doc.on.doc"), kTileIcon, Palette::white(0.58), kTileRim, QStringLiteral("复制全文")};
}

TileLook copyConfirmed()
{
    return {QStringLiteral("checkmark"), Palette::kCopiedIcon, Palette::kCopiedTile, kConfirmedRim,
            QStringLiteral("已复制")};
}

} // namespace

IconTileStyle IconTileStyle::detailCopy()
{
    IconTileStyle style;
    style.idle = copyIdle();
    style.active = copyConfirmed();
    return style;
}

IconTileStyle IconTileStyle::detailEdit()
{
    IconTileStyle style;
    style.idle = {QStringLiteral("pencil"), kTileIcon, Palette::white(0.58), kTileRim, QStringLiteral("编辑")};
    style.active = {QStringLiteral("checkmark"), Palette::white(1.0), Palette::accent(), Qt::transparent,
                    QStringLiteral("完成并保存")};
    return style;
}

IconTileStyle IconTileStyle::cardCopy()
{
    IconTileStyle style;
    style.size = QSize(30, 30);
    style.rimWidth = 0;
    style.idle = {QStringLiteral("doc.on.doc"), Palette::kActionIcon, Palette::white(0.62), Qt::transparent,
                  QStringLiteral("复制全文")};
    style.active = {QStringLiteral("checkmark"), Palette::kCopiedIcon, Palette::white(0.62), Qt::transparent,
                    QStringLiteral("已复制")};
    return style;
}

IconTileStyle IconTileStyle::headerPin()
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

IconTileStyle IconTileStyle::headerSettings()
{
    IconTileStyle style = headerPin();
    style.idle = {QStringLiteral("gearshape"), Palette::kHeaderSettingsIcon, Palette::white(0.16), Palette::white(0.30),
                  QStringLiteral("设置")};
    style.active = style.idle;
    style.active.fill = Palette::white(0.58);
    style.active.rim = Palette::white(0.78);
    return style;
}

IconTileStyle IconTileStyle::supportClose()
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

LabelButtonStyle LabelButtonStyle::footer(const QString &icon)
{
    LabelButtonStyle style;
    style.font = Fonts::ui(11);
    style.text = Palette::kFooterText;
    style.textPressed = Palette::withOpacity(Palette::kFooterText, 0.6);
    style.icon = icon;
    style.iconSize = 12;
    return style;
}

LabelButtonStyle LabelButtonStyle::back()
{
    LabelButtonStyle style;
    style.font = Fonts::ui(12, QFont::Medium);
    style.text = Palette::accent();
    style.textPressed = Palette::accent(0.6);
    style.icon = QStringLiteral("chevron.left");
    style.iconSize = 12;
    style.spacing = 3;
    return style;
}

NewButtonStyle NewButtonStyle::standard()
{
    NewButtonStyle style;
    style.font = Fonts::ui(12, QFont::Medium);
    style.fill = Palette::accent();
    style.fillPressed = Palette::accent(0.78);
    return style;
}

NoteCardStyle NoteCardStyle::standard()
{
    NoteCardStyle style;
    style.titleFont = Fonts::ui(15, QFont::DemiBold);
    style.previewFont = Fonts::ui(12);
    style.metaFont = Fonts::ui(10);
    style.copy = IconTileStyle::cardCopy();
    return style;
}

int NoteCardStyle::cardHeight() const
{
    const QFontMetrics title(titleFont);
    const QFontMetrics preview(previewFont);
    const QFontMetrics meta(metaFont);
    const int previewHeight = previewMaxLines * preview.height() + (previewMaxLines - 1) * previewLeading;
    const int content = padding.top() + title.height() + lineSpacing + previewHeight + lineSpacing
                        + std::max(meta.height(), metaIconSize) + padding.bottom();
    return std::max(minHeight, content);
}

NoteListStyle NoteListStyle::standard()
{
    NoteListStyle style;
    style.titleFont = Fonts::ui(20, QFont::Bold);
    style.countFont = Fonts::ui(11);
    style.emptyTitleFont = Fonts::ui(14, QFont::Medium);
    style.emptySubtitleFont = Fonts::ui(11);
    return style;
}

NoteDetailStyle NoteDetailStyle::standard()
{
    NoteDetailStyle style;
    style.fileNameFont = Fonts::ui(10);
    style.statusFont = Fonts::ui(11);
    return style;
}

NoteEditorStyle NoteEditorStyle::standard()
{
    NoteEditorStyle style;
    style.font = Fonts::mono(14);
    return style;
}
