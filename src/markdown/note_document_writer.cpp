#include "note_document_writer.h"

#include "note_line.h"
#include "text_lines.h"

#include <QFontDatabase>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

// The formats of every kind of line, made once per note.
struct NoteDocumentFormats
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

namespace {

QTextCharFormat charFormat(QFont font, qreal pixels, QFont::Weight weight, const QColor &color)
{
    font.setPointSizeF(NoteDocumentStyle::pixelsToPoints(pixels));
    font.setWeight(weight);
    QTextCharFormat format;
    format.setFont(font, QTextCharFormat::FontPropertiesAll);
    format.setForeground(color);
    return format;
}

NoteDocumentFormats makeFormats(const NoteDocumentStyle &s)
{
    const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (!s.codeFamilies.isEmpty())
        mono.setFamilies(s.codeFamilies);
    NoteDocumentFormats f;
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

const QTextCharFormat &formatFor(const NoteLine &line, const NoteDocumentFormats &f)
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

struct NoteDocumentWriter::Private
{
    Private(QTextDocument &document, const NoteDocumentStyle &style)
        : formats(makeFormats(style))
        , cursor(&document)
    {
    }

    NoteDocumentFormats formats;
    QTextCursor cursor;
    QStringList lines;
    qsizetype next = 0;
};

NoteDocumentWriter::NoteDocumentWriter(QTextDocument &document, const NoteDocumentInput &input)
{
    document.setUndoRedoEnabled(false);
    document.clear();
    d = std::make_unique<Private>(document, input.style);
    d->lines = TextLines::split(input.body);
    QTextCursor &cursor = d->cursor;
    cursor.beginEditBlock();
    cursor.setBlockFormat(d->formats.titleBlock);
    cursor.setBlockCharFormat(d->formats.title);
    cursor.insertText(plainRun(input.title), d->formats.title);
    cursor.endEditBlock();
}

NoteDocumentWriter::~NoteDocumentWriter() = default;

bool NoteDocumentWriter::isDone() const
{
    return d->next >= d->lines.size();
}

bool NoteDocumentWriter::writeMore(qsizetype maxCharacters)
{
    QTextCursor &cursor = d->cursor;
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    qsizetype written = 0;
    while (!isDone() && (written == 0 || written < maxCharacters)) {
        const QString &text = d->lines.at(d->next++);
        const NoteLine line = NoteLine::classify(text);
        const QTextCharFormat &format = formatFor(line, d->formats);
        // The block's own char format sizes an empty line (a fence, a blank line).
        cursor.insertBlock(d->formats.bodyBlock, format);
        cursor.insertText(plainRun(line.shownText), format);
        written += text.size() + 1;
    }
    cursor.endEditBlock();
    return isDone();
}
