#include "views/notes/notes_page_style.h"

#include "views/style/fonts.h"

#include <QFontMetrics>
#include <algorithm>

namespace {

TileLook noteCopyIdle()
{
    return {QStringLiteral("doc.on.doc"), Palette::kNoteTileIcon, Palette::white(0.58), Palette::kNoteTileRim,
            QStringLiteral("复制全文")};
}

TileLook noteCopyConfirmed()
{
    return {QStringLiteral("checkmark"), Palette::kCopiedIcon, Palette::kCopiedTile, Palette::kNoteConfirmedRim,
            QStringLiteral("已复制")};
}

IconTileStyle detailCopyTile()
{
    IconTileStyle style;
    style.idle = noteCopyIdle();
    style.active = noteCopyConfirmed();
    return style;
}

IconTileStyle detailEditTile()
{
    IconTileStyle style;
    style.idle = {QStringLiteral("pencil"), Palette::kNoteTileIcon, Palette::white(0.58), Palette::kNoteTileRim,
                  QStringLiteral("编辑")};
    style.active = {QStringLiteral("checkmark"), Palette::white(1.0), Palette::accent(), Qt::transparent,
                    QStringLiteral("完成并保存")};
    return style;
}

IconTileStyle cardCopyTile()
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

// 11 regular in the footer's colour.
LabelButtonStyle footerButton(const QString &icon)
{
    LabelButtonStyle style;
    style.font = Fonts::ui(11);
    style.text = Palette::kFooterText;
    style.textPressed = Palette::withOpacity(Palette::kFooterText, 0.6);
    style.icon = icon;
    style.iconSize = 12;
    return style;
}

// 12 medium in the accent colour.
LabelButtonStyle backButton()
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

} // namespace

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
    style.copy = cardCopyTile();
    return style;
}

int NoteCardStyle::cardHeight(int previewLines) const
{
    const QFontMetrics title(titleFont);
    const QFontMetrics preview(previewFont);
    const QFontMetrics meta(metaFont);
    const int lines = std::clamp(previewLines, 0, previewMaxLines);
    const int previewHeight = lines * preview.height() + std::max(0, lines - 1) * previewLeading;
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
    style.folderButton = footerButton(QStringLiteral("folder"));
    style.supportButton = footerButton(QStringLiteral("cup.and.saucer"));
    return style;
}

NoteDetailStyle NoteDetailStyle::standard()
{
    NoteDetailStyle style;
    style.fileNameFont = Fonts::ui(10);
    style.statusFont = Fonts::ui(11);
    style.back = backButton();
    style.copy = detailCopyTile();
    style.edit = detailEditTile();
    return style;
}

NoteEditorStyle NoteEditorStyle::standard()
{
    NoteEditorStyle style;
    style.font = Fonts::mono(14);
    return style;
}
