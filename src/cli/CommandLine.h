#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>
#include <QStringList>

#include <optional>

// The exit codes of every command.
namespace ExitCode {
constexpr int Done = 0;       // done; for diff: no difference
constexpr int Incomplete = 1; // diff: differences found; install: a service was not installed
constexpr int Refused = 2;    // bad usage, a file that cannot be read or written, a refusal
} // namespace ExitCode

// The options of one command, parsed from the arguments after its name, with its own --help.
class CommandParser
{
public:
    // usage: what follows "ledgerwell-cli COMMAND" in the usage line, such as "FILE.json".
    CommandParser(const QString &command, const QString &usage, const QString &description);

    void addOption(const QCommandLineOption &option) { m_parser.addOption(option); }
    void addPositionalArgument(const QString &name, const QString &description);

    // Parses the arguments. Empty when the command goes on; the exit code when it is done:
    // its help shown, or a usage error reported. minimum and maximum bound the positional
    // arguments.
    std::optional<int> parse(const QStringList &arguments, int minimum, int maximum);
    // Reports a usage error with the hint to the command's help.
    int usageError(const QString &message) const;

    const QCommandLineParser &parser() const { return m_parser; }
    QString helpText() const;

private:
    QString m_command;
    QString m_usage;
    QCommandLineParser m_parser;
    QCommandLineOption m_help;
};

// The whole program: the command named by the first argument, or the program's help or version.
int runCommandLine(const QStringList &arguments);
