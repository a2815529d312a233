#pragma once

#include <QString>

// How one body line of a note is shown: its kind decides font and colour.
struct NoteLine
{
    enum class Kind
    {
        Heading,   // "## x" to "###### x"
        CodeFence, // a line starting with three backquotes: shown empty, monospaced
        Bullet,    // "- x", "* x", "+ x": shown as "• x"
        Quote,     // "> x"
        Rule,      // three or more of -, * or _ (spaces between allowed)
        Code,      // an ordinary line indented by four spaces: monospaced
        Text,      // anything else, empty lines included
    };

    Kind kind = Kind::Text;
    QString shownText;
    int headingLevel = 0; // 2 to 6 for headings, else 0

    static NoteLine classify(const QString &line);

    bool operator==(const NoteLine &other) const = default;
};
