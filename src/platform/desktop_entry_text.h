#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

// Reading and writing the text of freedesktop.org desktop entries: the escapes of string
// values and the quoting of Exec arguments, as the Desktop Entry specification has them.
namespace DesktopEntryText {

// A string value with "\\", "\n", "\t" and "\r" escaped; a leading space as "\s".
QString escapeValue(const QString &value);
QString unescapeValue(const QString &value);

// One argument of an Exec value, quoted when it holds a reserved character and with literal
// "%" doubled; escapeValue() is applied after this, when the whole line is written.
QString quoteExecArgument(const QString &argument);
// The first argument of an (unescaped) Exec value, unquoted; "" when the quoting is broken.
QString execProgram(const QString &exec);

// The keys of the "[Desktop Entry]" group with unescaped values, the default-locale ones
// only (no "Name[zh_CN]"); empty when the group is missing.
QHash<QString, QString> readMainGroup(const QByteArray &text);

} // namespace DesktopEntryText
