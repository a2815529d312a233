#include "note_line.h"

#include "markdown_patterns.h"
#include "markdown_presentation.h"
#include "text_lines.h"

namespace {

int leadingHashes(const QString &text)
{
    int count = 0;
    while (count < text.size() && text.at(count) == u'#')
        ++count;
    return count;
}

NoteLine make(NoteLine::Kind kind, QString shown, int level = 0)
{
    NoteLine line;
    line.kind = kind;
    line.shownText = std::move(shown);
    line.headingLevel = level;
    return line;
}

} // namespace

NoteLine NoteLine::classify(const QString &line)
{
    using namespace MarkdownPatterns;
    const QString trimmed = TextLines::trimSpaces(line);
    if (subheadingMarker().contains(trimmed)) {
        return make(Kind::Heading, MarkdownPresentation::clean(subheadingMarker().replaceFirst(trimmed, QString())),
                    leadingHashes(trimmed));
    }
    if (trimmed.startsWith(QStringLiteral("```")))
        return make(Kind::CodeFence, QString());
    // Tested before bullets: "* * *" and "- - -" also look like a bullet, but a line that
    // is a rule reads as a rule (as in CommonMark).
    if (horizontalRule().contains(trimmed))
        return make(Kind::Rule, QString(20, QChar(0x2500)));
    if (bulletMarker().contains(trimmed)) {
        return make(Kind::Bullet, QStringLiteral("\u2022 ")
                                      + MarkdownPresentation::clean(bulletMarker().replaceFirst(trimmed, QString())));
    }
    if (trimmed.startsWith(u'>'))
        return make(Kind::Quote, TextLines::trimSpaces(MarkdownPresentation::clean(trimmed.mid(1))));
    const Kind kind = line.startsWith(QStringLiteral("    ")) ? Kind::Code : Kind::Text;
    return make(kind, MarkdownPresentation::clean(line));
}
