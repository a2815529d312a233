#include "command_line.h"

#include "quillo_build_info.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <cstdio>

namespace {

const QCommandLineOption kHelpOption({QStringLiteral("h"), QStringLiteral("help")},
                                     QStringLiteral("Show this help and exit."));
const QCommandLineOption kVersionOption({QStringLiteral("v"), QStringLiteral("version")},
                                        QStringLiteral("Show the version and exit."));

QString optionLine(const QCommandLineOption &option)
{
    QStringList names;
    for (const QString &name : option.names())
        names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
    return QStringLiteral("  %1%2\n").arg(names.join(QStringLiteral(", ")), -16).arg(option.description());
}

void print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.addOption(kHelpOption);
    parser.addOption(kVersionOption);
    CommandLine result;
    if (!parser.parse(arguments)) {
        result.m_action = Action::usageError;
        result.m_error = parser.errorText();
    } else if (parser.isSet(kHelpOption)) {
        result.m_action = Action::printHelp;
    } else if (parser.isSet(kVersionOption)) {
        result.m_action = Action::printVersion;
    } else if (const QStringList words = parser.positionalArguments(); !words.isEmpty()) {
        const std::optional<PanelCommand> command = PanelCommands::fromWord(words.constFirst());
        result.m_action = Action::usageError;
        if (!command)
            result.m_error = QStringLiteral("Unknown command '%1'.").arg(words.constFirst());
        else if (words.size() > 1)
            result.m_error = QStringLiteral("Unexpected argument '%1'.").arg(words.at(1));
        else
            result.m_action = Action::start;
        result.m_command = command.value_or(PanelCommand::reveal);
    }
    return result;
}

QStringList CommandLine::argumentsOf(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

QString CommandLine::versionText()
{
    return QStringLiteral("Quillo %1\n").arg(QLatin1String(BuildInfo::kVersion));
}

QString CommandLine::usage()
{
    const auto command = [](const char *name, const char *text) {
        return QStringLiteral("  %1%2\n").arg(QLatin1String(name), -16).arg(QLatin1String(text));
    };
    return QStringLiteral("Usage: quillo [option | command]\n\n"
                          "Quillo keeps a clipboard history and a folder of Markdown notes in a panel at the\n"
                          "right edge of the screen. Started while Quillo already runs, it brings the running\n"
                          "panel out and exits.\n\n"
                          "Commands (bind `quillo toggle` to a key in your desktop's keyboard settings):\n")
           + command("show", "Bring the panel out, ready to type (starts Quillo if needed).")
           + command("hide", "Slide the panel away, back to the window you were in.")
           + command("toggle", "show when the panel is away, hide when it is out.")
           + command("quit", "End the running Quillo.") + QStringLiteral("\nOptions:\n") + optionLine(kHelpOption)
           + optionLine(kVersionOption)
           + QStringLiteral("\nExit status: 0 on success, also for hide and quit when no Quillo runs; 1 when Quillo\n"
                            "cannot start (no desktop session) or the running Quillo does not answer; 2 for a\n"
                            "wrong command line (an unknown option or command).\n");
}

std::optional<int> CommandLine::answerWithoutStarting() const
{
    switch (m_action) {
    case Action::start: return std::nullopt;
    case Action::printVersion: print(stdout, versionText()); return 0;
    case Action::printHelp: print(stdout, usage()); return 0;
    case Action::usageError:
        print(stderr, QStringLiteral("quillo: %1\n\n").arg(m_error) + usage());
        return kExitUsageError;
    }
    return std::nullopt;
}
