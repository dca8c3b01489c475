#include "CommandLine.h"

#include "Console.h"
#include "DiffCommand.h"
#include "ExportCommand.h"
#include "InstallCommand.h"
#include "ListCommand.h"

namespace {

const QString Program = QStringLiteral("ledgerwell-cli");

struct Command
{
    const char *name;
    const char *summary;
    int (*run)(const QStringList &arguments);
};

const Command commands[] = {
    {"list", "List the installed services, as a table or as a JSON service file.",
     ListCommand::run},
    {"export",
     "Write installed services as a JSON service file, a batch script or an Ansible "
     "playbook.",
     ExportCommand::runExport},
    {"convert", "Turn a JSON service file into a batch script or an Ansible playbook.",
     ExportCommand::runConvert},
    {"diff", "Compare a JSON service file with the installed services or with another file.",
     DiffCommand::run},
    {"install", "Install the services of a JSON service file, as the import dialog does.",
     InstallCommand::run},
};

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

QString programHelp()
{
    QString text = QStringLiteral(
        "Usage: ledgerwell-cli COMMAND [options]\n"
        "Quorvantel Ledgerwell for scripts: lists, exports, compares and installs the\n"
        "configuration of Windows services.\n\n"
        "Commands:\n");
    for (const Command &command : commands)
        text += QStringLiteral("  %1  %2\n")
                    .arg(QLatin1String(command.name), -8)
                    .arg(QLatin1String(command.summary));
    text += QStringLiteral(
        "\nOptions:\n"
        "  -h, --help     Show this help; with a command, the help of that command.\n"
        "  -v, --version  Show the version.\n\n"
        "Exit status: 0 done (diff: no difference); 1 diff found differences, or install\n"
        "did not install every service; 2 bad usage, a file that cannot be read or\n"
        "written, or a refused operation. Errors go to standard error, results to\n"
        "standard output.\n\n"
        "Run 'ledgerwell-cli COMMAND --help' for the options of a command.\n");
    return text;
}

int programUsageError(const QString &message)
{
    Console::error(message + QStringLiteral(" Try 'ledgerwell-cli --help'."));
    return ExitCode::Refused;
}

} // namespace

CommandParser::CommandParser(const QString &command, const QString &usage,
                             const QString &description)
    : m_command(command)
    , m_usage(usage)
    , m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help."))
{
    m_parser.setApplicationDescription(description);
    m_parser.addOption(m_help);
}

void CommandParser::addPositionalArgument(const QString &name, const QString &description)
{
    m_parser.addPositionalArgument(name, description);
}

QString CommandParser::helpText() const
{
    // Qt's usage line names the program only; ours names the command and its arguments.
    QString text = m_parser.helpText();
    text.remove(0, text.indexOf(u'\n') + 1);
    QString usage = QStringLiteral("Usage: %1 %2 [options]").arg(Program, m_command);
    if (!m_usage.isEmpty())
        usage += u' ' + m_usage;
    return usage + u'\n' + text;
}

int CommandParser::usageError(const QString &message) const
{
    Console::error(QStringLiteral("%1 %2 Try 'ledgerwell-cli %3 --help'.")
                       .arg(m_command + u':', message, m_command));
    return ExitCode::Refused;
}

std::optional<int> CommandParser::parse(const QStringList &arguments, int minimum, int maximum)
{
    if (!m_parser.parse(QStringList{Program} + arguments)) {
        QString message = m_parser.errorText();
        if (!message.endsWith(u'.'))
            message += u'.';
        return usageError(message);
    }
    if (m_parser.isSet(m_help)) {
        Console::out(helpText());
        return ExitCode::Done;
    }
    const qsizetype count = m_parser.positionalArguments().size();
    if (count < minimum)
        return usageError(QStringLiteral("Missing argument."));
    if (count > maximum) {
        return usageError(QStringLiteral("Unexpected argument '%1'.")
                              .arg(m_parser.positionalArguments().at(maximum)));
    }
    return std::nullopt;
}

int runCommandLine(const QStringList &arguments)
{
    const QString first = arguments.value(1);
    if (first.isEmpty() && arguments.size() < 2)
        return programUsageError(QStringLiteral("No command given."));
    if (first == u"-h" || first == u"--help" || first == u"help") {
        const QString topic = arguments.value(2);
        if (arguments.size() > 2) {
            if (const Command *command = findCommand(topic))
                return command->run({QStringLiteral("--help")});
            return programUsageError(QStringLiteral("Unknown command '%1'.").arg(topic));
        }
        Console::out(programHelp());
        return ExitCode::Done;
    }
    if (first == u"-v" || first == u"--version") {
        Console::out(QStringLiteral("%1 (Quorvantel Ledgerwell) %2\n")
                         .arg(Program, QStringLiteral(LEDGERWELL_VERSION)));
        return ExitCode::Done;
    }
    if (const Command *command = findCommand(first))
        return command->run(arguments.mid(2));
    if (first.startsWith(u'-'))
        return programUsageError(QStringLiteral("Unknown option '%1'.").arg(first));
    return programUsageError(QStringLiteral("Unknown command '%1'.").arg(first));
}
