#include "panel_command.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<PanelCommand, const char *>, 5> kNames{{
    {PanelCommand::reveal, "reveal"},
    {PanelCommand::show, "show"},
    {PanelCommand::hide, "hide"},
    {PanelCommand::toggle, "toggle"},
    {PanelCommand::quit, "quit"},
}};

} // namespace

QByteArray PanelCommands::line(PanelCommand command)
{
    for (const auto &[each, name] : kNames)
        if (each == command)
            return QByteArray(name) + '\n';
    return {};
}

std::optional<PanelCommand> PanelCommands::fromLine(const QByteArray &line)
{
    for (const auto &[command, name] : kNames)
        if (line == QByteArray(name) + '\n')
            return command;
    return std::nullopt;
}

std::optional<PanelCommand> PanelCommands::fromWord(const QString &word)
{
    for (const auto &[command, name] : kNames)
        if (command != PanelCommand::reveal && word == QLatin1String(name))
            return command;
    return std::nullopt;
}

bool PanelCommands::startsQuillo(PanelCommand command)
{
    return command != PanelCommand::hide && command != PanelCommand::quit;
}
