#include "note_detail_text.h"

#include "markdown_presentation.h"
#include "text_lines.h"

namespace {
const QString kHeadingPrefix = QStringLiteral("# ");

QString firstLine(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (TextLines::isNewline(text.at(i)))
            return text.left(i);
    }
    return text;
}
} // namespace

namespace NoteDetailText {

QString noteTitle(const QString &noteText, const std::optional<QString> &selectedFileName)
{
    const QString line = firstLine(noteText);
    if (line.startsWith(kHeadingPrefix))
        return line.mid(kHeadingPrefix.size());
    if (selectedFileName)
        return TextLines::withoutMdExtension(*selectedFileName);
    return QStringLiteral("笔记");
}

QString displayBody(const QString &noteText, const std::optional<QString> &selectedFileName)
{
    const QStringList lines = TextLines::split(noteText);
    const QString &first = lines.first();
    const bool firstLineIsTitle =
        first.startsWith(kHeadingPrefix) || MarkdownPresentation::clean(first) == noteTitle(noteText, selectedFileName);
    if (!firstLineIsTitle)
        return noteText;
    return TextLines::trimWhitespaceAndNewlines(lines.mid(1).join(u'\n'));
}

} // namespace NoteDetailText
