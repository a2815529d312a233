#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What Quillo was asked for on its command line. Parsed before any application object
// exists, so the answers that end the process (the version, the usage, a wrong command line)
// need no display and touch no file.
//
// Panel commands ("quillo toggle") extend this: a word the parser accepts as a command
// becomes an action of its own, listed by usage() under "Commands".
class CommandLine
{
public:
    enum class Action
    {
        start,        // no arguments: start Quillo, or bring the running one's panel out
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
    QString error() const { return m_error; }

    // Prints what an action that ends the process asks for and returns its exit code;
    // std::nullopt when Quillo should start.
    std::optional<int> answerWithoutStarting() const;

private:
    Action m_action = Action::start;
    QString m_error;
};
