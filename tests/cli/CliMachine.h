#pragma once

#include "SimulatedMachine.h"
#include "TestProcess.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

using CliRun = ProcessRun;

QString cliProgram();

// The real ledgerwell-cli run as a process on a simulated machine of the test's own: it reads and
// changes that machine's service database through the stand-in tools beside it, and keeps its
// application data (the backups) in a folder of the machine.
class CliMachine : public SimulatedMachine
{
public:
    CliMachine();

    CliRun run(const QStringList &arguments, const QByteArray &input = QByteArray()) const;
    // The environment the program runs in: this machine's database and application data.
    QProcessEnvironment environment() const;
    // The command line run inside a pseudo terminal (util-linux script), input typed into it;
    // the program is ledgerwell-cli unless another copy of it is given.
    CliRun runOnTerminal(const QStringList &arguments, const QByteArray &input,
                         const QString &program = cliProgram()) const;

    // Where the program keeps its backups.
    QString backupFolder() const;
    // The backup files written so far.
    QStringList backups() const;
};
