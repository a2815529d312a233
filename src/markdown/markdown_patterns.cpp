#include "markdown_patterns.h"

namespace MarkdownPatterns {

const IcuRegex &headingMarker()
{
    static const IcuRegex regex(QStringLiteral("^#{1,6}\\s*"));
    return regex;
}

const IcuRegex &subheadingMarker()
{
    static const IcuRegex regex(QStringLiteral("^#{2,6}\\s+"));
    return regex;
}

const IcuRegex &bulletMarker()
{
    static const IcuRegex regex(QStringLiteral("^[-*+]\\s+"));
    return regex;
}

const IcuRegex &horizontalRule()
{
    static const IcuRegex regex(QStringLiteral("^([-*_]\\s*){3,}$"));
    return regex;
}

} // namespace MarkdownPatterns
