#include "graphemes.h"

#include <QTextBoundaryFinder>

namespace Graphemes {

QString left(const QString &text, int count)
{
    if (count <= 0)
        return {};
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int seen = 0;
    while (finder.toNextBoundary() != -1) {
        if (++seen == count)
            return text.left(finder.position());
    }
    return text;
}

int count(const QString &text)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int seen = 0;
    while (finder.toNextBoundary() != -1)
        ++seen;
    return seen;
}

QString leftUtf8Bytes(const QString &text, int maxBytes)
{
    if (text.toUtf8().size() <= maxBytes)
        return text;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    int lastFit = 0;
    int bytes = 0;
    int previous = 0;
    while (finder.toNextBoundary() != -1) {
        const int position = finder.position();
        bytes += QStringView(text).mid(previous, position - previous).toUtf8().size();
        if (bytes > maxBytes)
            break;
        lastFit = position;
        previous = position;
    }
    return text.left(lastFit);
}

} // namespace Graphemes
