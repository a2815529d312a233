#include "clip_note_text.h"

#include "reference_time.h"
#include "text/graphemes.h"
#include "text/icu_regex.h"

#include <QUrl>
#include <algorithm>

namespace ClipNoteText {

namespace {

constexpr int kMaxTitleGraphemes = 36;

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
    case u'\v':
    case u'\f':
    case u'\u0085':
    case u'\u2028':
    case u'\u2029': return true;
    default: return false;
    }
}

// Blank: nothing but white space, any of Unicode's (an ideographic or no-break space too).
bool isBlankLine(QStringView line)
{
    return std::all_of(line.begin(), line.end(), [](QChar c) { return c.isSpace(); });
}

// The first line that holds more than white space, untrimmed; `fallback` when none does.
QString firstNonBlankLine(const QString &text, const QString &fallback)
{
    qsizetype start = 0;
    while (start <= text.size()) {
        qsizetype end = start;
        while (end < text.size() && !isLineBreak(text.at(end)))
            ++end;
        const QStringView line = QStringView(text).sliced(start, end - start);
        if (!isBlankLine(line))
            return line.toString();
        start = end + 1;
    }
    return fallback;
}

QString rawTitle(const ClipItem &item)
{
    switch (item.kind) {
    case ClipKind::file: return item.title;
    case ClipKind::image: return QStringLiteral("剪贴板图片");
    case ClipKind::link: return item.title.isEmpty() ? QStringLiteral("收藏链接") : item.title;
    case ClipKind::text:
    case ClipKind::code: return firstNonBlankLine(item.content, item.title);
    }
    return item.title;
}

// A file URL as Markdown can hold it: percent-escaped, parentheses included (a ")" in a
// path would otherwise end the link early).
QString markdownFileUrl(const QString &path)
{
    QString url = QString::fromUtf8(QUrl::fromLocalFile(path).toEncoded(QUrl::FullyEncoded));
    url.replace(QLatin1Char('('), QLatin1String("%28"));
    url.replace(QLatin1Char(')'), QLatin1String("%29"));
    return url;
}

QString codeFence(const QString &content)
{
    return content.contains(QLatin1String("```")) ? QStringLiteral("````") : QStringLiteral("```");
}

} // namespace

QString title(const ClipItem &item)
{
    static const IcuRegex headingMarker(QStringLiteral("^#{1,6}\\s*"));
    static const IcuRegex breaks(QStringLiteral("[\\r\\n\\t]+"));
    QString text = headingMarker.replaceFirst(rawTitle(item), QString());
    text = breaks.replaceAll(text, QStringLiteral(" ")).trimmed();
    if (text.isEmpty())
        text = QStringLiteral("剪贴板笔记");
    return Graphemes::left(text, kMaxTitleGraphemes);
}

QString body(const ClipItem &item, const QString &title, const QString &imageFileName)
{
    const QString heading = QStringLiteral("# ") + title + QStringLiteral("\n\n");
    const QString &c = item.content;
    switch (item.kind) {
    case ClipKind::text: return heading + c + QLatin1Char('\n');
    case ClipKind::link: return heading + QLatin1Char('[') + c + QStringLiteral("](") + c + QStringLiteral(")\n");
    case ClipKind::code: {
        const QString fence = codeFence(c);
        return heading + fence + QLatin1Char('\n') + c + QLatin1Char('\n') + fence + QLatin1Char('\n');
    }
    case ClipKind::file:
        return heading + QLatin1Char('[') + item.title + QStringLiteral("](") + markdownFileUrl(c)
               + QStringLiteral(")\n");
    case ClipKind::image:
        return heading + QStringLiteral("![") + title + QStringLiteral("](附件/") + imageFileName
               + QStringLiteral(")\n");
    }
    return heading;
}

QString attachmentFileName(double createdAt, int counter)
{
    const qint64 seconds = ReferenceTime::saturatingSeconds(ReferenceTime::toUnixSeconds(createdAt));
    QString name = QStringLiteral("剪贴板图片-") + QString::number(seconds);
    if (counter > 1)
        name += QLatin1Char('-') + QString::number(counter);
    return name + QStringLiteral(".png");
}

} // namespace ClipNoteText
