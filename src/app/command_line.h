#pragma once

#include "panel_command.h"

#include <QString>
#include <QStringList>
#include <optional>

// What Quillo was asked for on its command line. Parsed before any application object
// exists, so the answers that end the process (the version, the usage, a wrong command line)
// need no display and touch no file.
//
// A panel command ("quillo toggle") is a start action with that command: it goes to the
// running Quillo, or starts one that carries it out.
class CommandLine
{
public:
    enum class Action
    {
        start,        // no arguments or a panel command: start Quillo, or tell the running one
        printVersion, // --version: "Quillo <version>" on standard output, exit 0
        printHelp,    // --help: the usage on standard output, exit 0
        usageError,   // an unknown option or word: the reason and the usage on standard error
    };

    static constexpr int kExitUsageError = 2;

    // `arguments` as the process got them, the program name first.
    static CommandLine parse(const QStringList &arguments);
    static QStringList argumentsOf(int argc, char **argv);

    static QString versionText();
    static QString usage();

    Action action() const { return m_action; }
    // For start: PanelCommand::reveal without a command word.
    PanelCommand command() const { return m_command; }
    QString error() const { return m_error; }

    // Prints what an action that ends the process asks for and returns its exit code;
    // std::nullopt when Quillo should start.
    std::optional<int> answerWithoutStarting() const;

private:
    Action m_action = Action::start;
    PanelCommand m_command = PanelCommand::reveal;
    QString m_error;
};
