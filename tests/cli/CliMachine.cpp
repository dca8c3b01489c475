#include "CliMachine.h"

#include <QDir>
#include <QProcessEnvironment>

QString cliProgram()
{
    return QStringLiteral(LEDGERWELL_CLI);
}

CliMachine::CliMachine() = default;

QString CliMachine::backupFolder() const
{
    return filePath(QStringLiteral("data/Quorvantel/Quorvantel Ledgerwell/backups"));
}

QStringList CliMachine::backups() const
{
    QStringList paths;
    const QDir folder(backupFolder());
    for (const QString &name : folder.entryList(QDir::Files, QDir::Name))
        paths.append(folder.filePath(name));
    return paths;
}

QProcessEnvironment CliMachine::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LEDGERWELL_SCM_DB"), databasePath());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), filePath(QStringLiteral("data")));
    return environment;
}

CliRun CliMachine::run(const QStringList &arguments, const QByteArray &input) const
{
    return runProcess(cliProgram(), arguments, input, environment());
}

CliRun CliMachine::runOnTerminal(const QStringList &arguments, const QByteArray &input,
                                 const QString &program) const
{
    QStringList words{program};
    words += arguments;
    for (QString &word : words)
        word = u'\'' + word.replace(u'\'', QStringLiteral("'\\''")) + u'\'';
    return runProcess(QStringLiteral("script"),
                      {QStringLiteral("-q"), QStringLiteral("-e"), QStringLiteral("-c"),
                       words.join(u' '), QStringLiteral("/dev/null")},
                      input, environment());
}
