#include "views/clipboard/clip_row_text.h"

#include "markdown/markdown_presentation.h"
#include "store/reference_time.h"
#include "text/graphemes.h"

#include <QFontMetrics>
#include <QTextLayout>

namespace ClipRowText {

QString leadingGraphemes(const QString &text, int limit)
{
    if (text.size() <= limit)
        return text;
    if (limit <= 0)
        return {};
    // The boundary rules look backwards (emoji and flag sequences) and only one code point
    // ahead, so a short look-ahead window decides the boundary at `limit` without scanning
    // the rest.
    const QString window = text.left(limit + 32);
    return text.left(Graphemes::boundaryAtOrBefore(window, limit));
}

QString preview(const ClipItem &item)
{
    if (item.kind == ClipKind::image)
        return item.title.isEmpty() ? QStringLiteral("图片") : leadingGraphemes(item.title, kPreviewSourceLimit);
    const QString source = leadingGraphemes(item.content.isEmpty() ? item.title : item.content, kPreviewSourceLimit);
    if (item.kind == ClipKind::code)
        return source.trimmed();
    const QString cleaned = MarkdownPresentation::clean(source);
    return cleaned.isEmpty() ? item.title : cleaned;
}

QString relativeTime(double createdAt, double now)
{
    const qint64 seconds = ReferenceTime::saturatingSeconds(now - createdAt);
    if (seconds < 60)
        return QStringLiteral("刚刚");
    if (seconds < 3600)
        return QString::number(seconds / 60) + QStringLiteral(" 分钟前");
    if (seconds < 86400)
        return QString::number(seconds / 3600) + QStringLiteral(" 小时前");
    return QString::number(seconds / 86400) + QStringLiteral(" 天前");
}

QString metaLine(const ClipItem &item, double now)
{
    return item.source + QStringLiteral(" · ") + relativeTime(item.createdAt, now);
}

QStringList wrapLines(const QString &text, const QFont &font, int width, int maxLines)
{
    QStringList lines;
    if (text.isEmpty() || maxLines <= 0 || width <= 0)
        return lines;
    QString prepared = text;
    prepared.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    prepared.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    prepared.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(prepared, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    for (int i = 0; i < maxLines; ++i) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(width);
        QString part = prepared.mid(line.textStart(), line.textLength());
        if (i == maxLines - 1 && line.textStart() + line.textLength() < prepared.size()) {
            // Elide the rest of this paragraph into the last line.
            QString rest = prepared.mid(line.textStart());
            const qsizetype separator = rest.indexOf(QChar::LineSeparator);
            if (separator >= 0)
                rest = rest.left(separator) + QStringLiteral(" …");
            part = QFontMetrics(font).elidedText(rest, Qt::ElideRight, width);
        }
        part.remove(QChar::LineSeparator);
        lines << part;
    }
    layout.endLayout();
    return lines;
}

} // namespace ClipRowText
