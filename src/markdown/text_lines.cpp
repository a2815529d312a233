#include "text_lines.h"

namespace TextLines {

bool isNewline(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x000A && u <= 0x000D) || u == 0x0085 || u == 0x2028 || u == 0x2029;
}

bool isSpace(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

QStringList split(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isNewline(text.at(i))) {
            lines.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    lines.append(text.mid(start));
    return lines;
}

namespace {
template <typename Predicate> QString trimIf(const QString &text, Predicate drop)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && drop(text.at(begin)))
        ++begin;
    while (end > begin && drop(text.at(end - 1)))
        --end;
    if (begin == 0 && end == text.size())
        return text;
    return text.mid(begin, end - begin);
}
} // namespace

QString trimSpaces(const QString &text)
{
    return trimIf(text, isSpace);
}

QString trimWhitespaceAndNewlines(const QString &text)
{
    return trimIf(text, [](QChar c) { return isSpace(c) || isNewline(c); });
}

QString withoutMdExtension(const QString &fileName)
{
    QString result = fileName;
    result.remove(QStringLiteral(".md"), Qt::CaseSensitive);
    return result;
}

} // namespace TextLines
