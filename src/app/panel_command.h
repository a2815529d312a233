#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// What one `quillo` process asks of the running one. The set is fixed and small: each
// command travels over the single-instance socket as one short line, and a line that is not
// one of these is refused.
enum class PanelCommand
{
    reveal, // `quillo` alone: bring the panel out as the pointer would, without the keyboard
    show,   // bring the panel out and give it the keyboard
    hide,   // slide it away and give the keyboard back
    toggle, // show when collapsed, hide when out
    quit,
};

namespace PanelCommands {

// The longest line any command takes, newline included.
constexpr int kMaxLineLength = 7;

QByteArray line(PanelCommand command);
std::optional<PanelCommand> fromLine(const QByteArray &line);
// The words accepted on the command line: show, hide, toggle, quit.
std::optional<PanelCommand> fromWord(const QString &word);
// hide and quit never start a Quillo: with none running there is nothing to do.
bool startsQuillo(PanelCommand command);

} // namespace PanelCommands
