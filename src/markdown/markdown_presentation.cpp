#include "markdown_presentation.h"

#include "text/icu_regex.h"
#include "text_lines.h"

#include <array>

namespace {

struct CleaningStep
{
    IcuRegex regex;
    QString replacement;
    // A character every match contains. Skipping the engine when it is absent changes
    // nothing and makes cleaning long notes cheap.
    QChar required;
};

// The steps before and after images and links, compiled once. Bold is replaced before
// italic, so double asterisks are never read as two italics.
const std::array<CleaningStep, 3> &markerSteps()
{
    static const std::array<CleaningStep, 3> steps{{
        {IcuRegex(QStringLiteral("^#{1,6}\\s*")), QString(), u'#'},
        {IcuRegex(QStringLiteral("^[-*+]\\s+")), QString(), QChar()},
        {IcuRegex(QStringLiteral("^>\\s?")), QString(), u'>'},
    }};
    return steps;
}

const std::array<CleaningStep, 7> &inlineSteps()
{
    static const std::array<CleaningStep, 7> steps{{
        {IcuRegex(QStringLiteral("`([^`]*)`")), QStringLiteral("$1"), u'`'},
        {IcuRegex(QStringLiteral("\\*\\*([^*]+)\\*\\*")), QStringLiteral("$1"), u'*'},
        {IcuRegex(QStringLiteral("__([^_]+)__")), QStringLiteral("$1"), u'_'},
        {IcuRegex(QStringLiteral("~~([^~]+)~~")), QStringLiteral("$1"), u'~'},
        {IcuRegex(QStringLiteral("(?<!\\*)\\*([^*]+)\\*(?!\\*)")), QStringLiteral("$1"), u'*'},
        {IcuRegex(QStringLiteral("(?<!_)_([^_]+)_(?!_)")), QStringLiteral("$1"), u'_'},
        {IcuRegex(QStringLiteral("\\s+")), QStringLiteral(" "), QChar()},
    }};
    return steps;
}

template <typename Steps> QString applySteps(const Steps &steps, QString text)
{
    for (const CleaningStep &step : steps) {
        if (step.required.isNull() || text.contains(step.required))
            text = step.regex.replaceAll(text, step.replacement);
    }
    return text;
}

// The first `c` at or after `from`, or the text's size when there is none. `cache` keeps the
// last answer: callers ask with a `from` that never decreases, so every character is looked
// at once however many brackets a line holds.
qsizetype nextOf(const QString &text, QChar c, qsizetype from, qsizetype &cache)
{
    if (cache < from) {
        cache = text.indexOf(c, from);
        if (cache < 0)
            cache = text.size();
    }
    return cache;
}

// Replaces images "![alt](target)" by their alternative text (`prefix` "![", the text may be
// empty) or links "[text](target)" by their text (`prefix` "[", the text may not be empty).
// Same results as the patterns !\[([^]]*)\]\([^)]*\) and \[([^]]+)\]\([^)]*\) replaced left to
// right: the text runs to the first "]", which must be followed by "(", and the target to the
// first ")" after that. Those patterns search the rest of the line again from every "[",
// quadratic in a line full of brackets; this scan is linear.
QString replaceBracketed(const QString &text, QLatin1String prefix, bool textMayBeEmpty)
{
    qsizetype start = text.indexOf(prefix);
    if (start < 0)
        return text;
    QString result;
    qsizetype copied = 0;
    qsizetype closeCache = -1;
    qsizetype parenCache = -1;
    const qsizetype size = text.size();
    while (start >= 0) {
        const qsizetype inner = start + prefix.size();
        const qsizetype close = nextOf(text, u']', inner, closeCache);
        const bool linked = close + 1 < size && text.at(close + 1) == u'(' && (textMayBeEmpty || close > inner);
        const qsizetype paren = linked ? nextOf(text, u')', close + 2, parenCache) : size;
        if (paren < size) {
            result.append(QStringView(text).sliced(copied, start - copied));
            result.append(QStringView(text).sliced(inner, close - inner));
            copied = paren + 1;
            start = text.indexOf(prefix, copied);
        } else {
            start = text.indexOf(prefix, start + 1);
        }
    }
    if (copied == 0)
        return text;
    result.append(QStringView(text).sliced(copied));
    return result;
}

} // namespace

namespace MarkdownPresentation {

QString clean(const QString &text)
{
    QString result = applySteps(markerSteps(), text);
    result = replaceBracketed(result, QLatin1String("!["), true);
    result = replaceBracketed(result, QLatin1String("["), false);
    return TextLines::trimWhitespaceAndNewlines(applySteps(inlineSteps(), std::move(result)));
}

} // namespace MarkdownPresentation
