#include "note_document_builder.h"

#include "note_line.h"
#include "text_lines.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace {

struct Formats
{
    QTextBlockFormat titleBlock;
    QTextBlockFormat bodyBlock;
    QTextCharFormat title;
    QTextCharFormat heading2;
    QTextCharFormat heading;
    QTextCharFormat body;
    QTextCharFormat code;
    QTextCharFormat fence;
    QTextCharFormat quote;
    QTextCharFormat rule;
};

QTextCharFormat charFormat(QFont font, qreal pixels, QFont::Weight weight, const QColor &color)
{
    font.setPointSizeF(NoteDocumentStyle::pixelsToPoints(pixels));
    font.setWeight(weight);
    QTextCharFormat format;
    format.setFont(font, QTextCharFormat::FontPropertiesAll);
    format.setForeground(color);
    return format;
}

Formats makeFormats(const NoteDocumentStyle &s)
{
    const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!s.codeFamilies.isEmpty())
        mono.setFamilies(s.codeFamilies);
    Formats f;
    f.titleBlock.setBottomMargin(s.titleParagraphSpacing);
    f.bodyBlock.setLineHeight(s.bodyLineSpacing, QTextBlockFormat::LineDistanceHeight);
    f.bodyBlock.setBottomMargin(s.bodyParagraphSpacing);
    f.title = charFormat(system, s.titleSize, QFont::DemiBold, s.titleColor);
    f.heading2 = charFormat(system, s.heading2Size, QFont::DemiBold, s.headingColor);
    f.heading = charFormat(system, s.headingSize, QFont::DemiBold, s.headingColor);
    f.body = charFormat(system, s.bodySize, QFont::Normal, s.bodyColor);
    f.code = charFormat(mono, s.codeSize, QFont::Normal, s.bodyColor);
    f.fence = charFormat(mono, s.codeSize, QFont::Normal, s.secondaryLabel);
    f.quote = charFormat(system, s.bodySize, QFont::Normal, s.quoteColor);
    f.rule = charFormat(system, s.ruleSize, QFont::Normal, s.separator);
    return f;
}

const QTextCharFormat &formatFor(const NoteLine &line, const Formats &f)
{
    switch (line.kind) {
    case NoteLine::Kind::Heading: return line.headingLevel == 2 ? f.heading2 : f.heading;
    case NoteLine::Kind::CodeFence: return f.fence;
    case NoteLine::Kind::Bullet:
    case NoteLine::Kind::Text: return f.body;
    case NoteLine::Kind::Quote: return f.quote;
    case NoteLine::Kind::Rule: return f.rule;
    case NoteLine::Kind::Code: return f.code;
    }
    return f.body;
}

// QTextCursor::insertText turns newlines and the frame markers U+FDD0/U+FDD1 into block
// or frame boundaries; note text must never change the document's structure.
QString plainRun(const QString &text)
{
    QString result = text;
    for (QChar &c : result) {
        if (TextLines::isNewline(c))
            c = u' ';
        else if (c.unicode() == 0xFDD0 || c.unicode() == 0xFDD1)
            c = QChar::ReplacementCharacter;
    }
    return result;
}

} // namespace

namespace NoteDocumentBuilder {

void fill(QTextDocument &document, const NoteDocumentInput &input)
{
    const Formats formats = makeFormats(input.style);
    document.setUndoRedoEnabled(false);
    document.clear();
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    cursor.setBlockFormat(formats.titleBlock);
    cursor.setBlockCharFormat(formats.title);
    cursor.insertText(plainRun(input.title), formats.title);
    for (const QString &text : TextLines::split(input.body)) {
        const NoteLine line = NoteLine::classify(text);
        const QTextCharFormat &format = formatFor(line, formats);
        // The block's own char format sizes an empty line (a fence, a blank line).
        cursor.insertBlock(formats.bodyBlock, format);
        cursor.insertText(plainRun(line.shownText), format);
    }
    cursor.endEditBlock();
}

bool sameContent(const QTextDocument &a, const QTextDocument &b)
{
    if (a.blockCount() != b.blockCount() || a.characterCount() != b.characterCount())
        return false;
    for (QTextBlock x = a.begin(), y = b.begin(); x.isValid() && y.isValid(); x = x.next(), y = y.next()) {
        if (x.text() != y.text() || x.blockFormat() != y.blockFormat() || x.charFormat() != y.charFormat())
            return false;
        auto i = x.begin();
        auto j = y.begin();
        for (; !i.atEnd() && !j.atEnd(); ++i, ++j) {
            const QTextFragment p = i.fragment();
            const QTextFragment q = j.fragment();
            if (p.position() != q.position() || p.text() != q.text() || p.charFormat() != q.charFormat())
                return false;
        }
        if (i.atEnd() != j.atEnd())
            return false;
    }
    return true;
}

std::optional<std::pair<int, int>> restoredSelection(int start, int end, int newLength)
{
    if (start < 0 || start > newLength)
        return std::nullopt;
    return std::make_pair(start, std::clamp(end, start, newLength));
}

} // namespace NoteDocumentBuilder
