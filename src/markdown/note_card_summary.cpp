#include "note_card_summary.h"

#include "markdown_patterns.h"
#include "markdown_presentation.h"
#include "text/text_file.h"
#include "text_lines.h"

#include <QFileInfo>

namespace {

QStringList nonEmptyTrimmedLines(const QString &text)
{
    QStringList lines;
    for (const QString &line : TextLines::split(text)) {
        QString trimmed = TextLines::trimSpaces(line);
        if (!trimmed.isEmpty())
            lines.append(std::move(trimmed));
    }
    return lines;
}

QString previewOf(const QStringList &lines)
{
    const QString separator = QStringLiteral("  \u00B7  ");
    QString preview;
    for (qsizetype i = 1; i < lines.size() && preview.size() < NoteCardSummary::kMaxPreviewLength; ++i) {
        if (MarkdownPatterns::horizontalRule().contains(lines.at(i)))
            continue;
        const QString cleaned = MarkdownPresentation::clean(lines.at(i));
        if (cleaned.isEmpty())
            continue;
        if (!preview.isEmpty())
            preview += separator;
        preview += cleaned;
    }
    return preview;
}

} // namespace

NoteCardSummary NoteCardSummary::fromText(const QString &text, const QString &fileName)
{
    const QStringList lines = nonEmptyTrimmedLines(text);
    const QString titleSource = lines.isEmpty() ? TextLines::withoutMdExtension(fileName) : lines.first();

    NoteCardSummary summary;
    summary.title = MarkdownPresentation::clean(MarkdownPatterns::headingMarker().replaceFirst(titleSource, QString()));
    summary.preview = previewOf(lines);
    if (summary.preview.isEmpty())
        summary.preview = QStringLiteral("空白笔记");
    return summary;
}

NoteCardSummary NoteCardSummary::fromFile(const QString &path)
{
    return fromText(TextFile::readUtf8(path, kReadBytes).value_or(QString()), QFileInfo(path).fileName());
}
