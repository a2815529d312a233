#include "platform/desktop_entry_text.h"

#include <QStringList>

#include <algorithm>

namespace {

const QString kReservedInExec = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
const QString kEscapedInQuotes = QStringLiteral("\"`$\\");

} // namespace

namespace DesktopEntryText {

QString escapeValue(const QString &value)
{
    QString out;
    out.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (c == QLatin1Char(' ') && i == 0)
            out += QStringLiteral("\\s");
        else
            out += c;
    }
    return out;
}

QString unescapeValue(const QString &value)
{
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's': out += QLatin1Char(' '); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case '\\': out += QLatin1Char('\\'); break;
        default: // not an escape of string values (";" in lists, or a mistake): kept as written
            out += c;
            out += next;
        }
    }
    return out;
}

QString quoteExecArgument(const QString &argument)
{
    QString doubled = argument;
    doubled.replace(QLatin1Char('%'), QStringLiteral("%%"));
    const bool needsQuotes = argument.isEmpty() || std::any_of(argument.cbegin(), argument.cend(), [](QChar c) {
                                 return kReservedInExec.contains(c);
                             });
    if (!needsQuotes)
        return doubled;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : std::as_const(doubled)) {
        if (kEscapedInQuotes.contains(c))
            quoted += QLatin1Char('\\');
        quoted += c;
    }
    return quoted + QLatin1Char('"');
}

QString execProgram(const QString &exec)
{
    const QString line = exec.trimmed();
    QString program;
    if (!line.startsWith(QLatin1Char('"'))) {
        const auto end = std::find_if(line.cbegin(), line.cend(), [](QChar c) { return c.isSpace(); });
        program = QString(line.cbegin(), end - line.cbegin());
    } else {
        qsizetype i = 1;
        for (; i < line.size() && line.at(i) != QLatin1Char('"'); ++i) {
            if (line.at(i) == QLatin1Char('\\') && i + 1 < line.size())
                ++i;
            program += line.at(i);
        }
        if (i >= line.size())
            return {};
    }
    return program.replace(QStringLiteral("%%"), QStringLiteral("%"));
}

QHash<QString, QString> readMainGroup(const QByteArray &text)
{
    QHash<QString, QString> keys;
    bool inMain = false;
    const QStringList lines = QString::fromUtf8(text).split(QLatin1Char('\n'));
    for (const QString &raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            inMain = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(QLatin1Char('='));
        if (!inMain || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (!key.contains(QLatin1Char('[')) && !keys.contains(key))
            keys.insert(key, unescapeValue(line.mid(equals + 1).trimmed()));
    }
    return keys;
}

} // namespace DesktopEntryText
