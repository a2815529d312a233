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
    } else if (!parser.positionalArguments().isEmpty()) {
        // Panel commands are recognised here once they exist.
        result.m_action = Action::usageError;
        result.m_error = QStringLiteral("Unknown command '%1'.").arg(parser.positionalArguments().constFirst());
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
    return QStringLiteral("Usage: quillo [option]\n\n"
                          "Quillo keeps a clipboard history and a folder of Markdown notes in a panel at the\n"
                          "right edge of the screen. Started while Quillo already runs, it brings the running\n"
                          "panel out and exits.\n\n"
                          "Options:\n")
           + optionLine(kHelpOption) + optionLine(kVersionOption)
           + QStringLiteral("\nExit status: 0 on success; 1 when Quillo cannot start (no desktop session) or the\n"
                            "running Quillo does not answer; 2 for a wrong command line.\n");
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
