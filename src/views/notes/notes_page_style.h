#pragma once

#include "markdown/note_document_style.h"
#include "views/style/palette.h"
#include "views/style/styles.h"

#include <QColor>
#include <QFont>
#include <QMargins>
#include <QSize>
#include <QString>

// Style structs of the notes page. Sizes in logical pixels, durations in milliseconds.
// Factories are functions because fonts and the accent colour need a running application.

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
    QColor titleColor = Palette::kNoteCardTitle;
    QFont previewFont;
    QColor previewColor = Palette::kNoteCardPreview;
    QFont metaFont;
    QColor metaColor = Palette::kNoteCardMeta;
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
    // The card's height for a preview of `previewLines` lines: title, preview and meta row
    // stacked inside the padding, never below minHeight.
    int cardHeight(int previewLines) const;
};

struct NoteListStyle
{
    int sideMargin = 18;
    int cardSpacing = 10;
    int bottomMargin = 14;
    QFont titleFont;
    QColor titleColor = Palette::kTitleInk;
    QFont countFont;
    QColor countColor = Palette::kNoteCount;
    QMargins headerPadding{18, 3, 18, 12};
    int searchBottom = 10;
    QFont emptyIconFont;
    int emptyIconSize = 30;
    QColor emptyIcon = Palette::kEmptyIcon;
    QFont emptyTitleFont;
    QColor emptyTitle = Palette::kPrimaryText; // the default text colour, not the clipboard page's grey
    QFont emptySubtitleFont;
    QColor emptySubtitle = Palette::kSecondaryText;
    int footerHeight = 46;
    int footerSpacing = 7;
    QColor divider = Palette::kDivider;
    LabelButtonStyle folderButton;
    LabelButtonStyle supportButton;

    static NoteListStyle standard();
};

struct NoteDetailStyle
{
    int headerHeight = 43;
    int sideMargin = 18;
    QFont fileNameFont;
    QColor fileNameColor = Palette::kNoteCount;
    int statusHeight = 46;
    QFont statusFont;
    QColor statusColor = Palette::kFooterText;
    int copiedMs = 1400;
    QColor divider = Palette::kDivider;
    LabelButtonStyle back;
    IconTileStyle copy;
    IconTileStyle edit;

    static NoteDetailStyle standard();
};

struct NoteEditorStyle
{
    QFont font;
    QColor text = Palette::kEditorText;
    int outerPadding = 18;
    int innerPadding = 12;
    double radius = 9;
    QColor fill = Palette::white(0.56);
    QColor rim = Palette::kEditorRim;
    double rimWidth = 1;

    static NoteEditorStyle standard();
};

// The read-only rendered note: the text sits 21 px from the sides and 20 px from the top
// and bottom of the scrolled content; the document's colours are the palette's.
struct NoteViewStyle
{
    int insetX = 21;
    int insetY = 20;
    NoteDocumentStyle document{
        .secondaryLabel = Palette::kNoteFence,
        .separator = Palette::kRule,
        .titleColor = Palette::kNoteTitle,
        .headingColor = Palette::kNoteHeading,
        .bodyColor = Palette::kNoteBody,
        .quoteColor = Palette::kNoteQuote,
        .codeFamilies = {}, // filled from the system's fixed font by the view
    };
};
