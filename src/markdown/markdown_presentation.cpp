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

// Compiled once; the order matters: images before links (the "!" goes with the image),
// bold before italic (double asterisks are never two italics).
const std::array<CleaningStep, 12> &cleaningSteps()
{
    static const std::array<CleaningStep, 12> steps{{
        {IcuRegex(QStringLiteral("^#{1,6}\\s*")), QString(), u'#'},
        {IcuRegex(QStringLiteral("^[-*+]\\s+")), QString(), QChar()},
        {IcuRegex(QStringLiteral("^>\\s?")), QString(), u'>'},
        {IcuRegex(QStringLiteral("!\\[([^]]*)\\]\\([^)]*\\)")), QStringLiteral("$1"), u'!'},
        {IcuRegex(QStringLiteral("\\[([^]]+)\\]\\([^)]*\\)")), QStringLiteral("$1"), u'['},
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

bool mayMatch(const CleaningStep &step, const QString &text)
{
    return step.required.isNull() || text.contains(step.required);
}

} // namespace

namespace MarkdownPresentation {

QString clean(const QString &text)
{
    QString result = text;
    for (const CleaningStep &step : cleaningSteps()) {
        if (mayMatch(step, result))
            result = step.regex.replaceAll(result, step.replacement);
    }
    return TextLines::trimWhitespaceAndNewlines(result);
}

} // namespace MarkdownPresentation
