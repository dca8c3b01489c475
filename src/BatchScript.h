#pragma once

#include <QString>
#include <QStringList>

struct ServiceCommand;
struct ServiceInfo;

// Batch script text for the commands of ServiceCommands. Each line, run by cmd.exe, runs exactly
// one command, and the tool receives exactly the command's argument texts.
namespace BatchScript {

// The lines of a whole script (header, one block per service, footer), without line ends.
QStringList lines(const QList<ServiceInfo> &services);

// One command as a batch line: the program, then each argument quoted or bare.
QString commandLine(const ServiceCommand &command);

// An argument as the Windows C runtime reads it back, between double quotes: control
// characters become blanks, a double quote is written as \" and backslashes before a quote are
// doubled. The caret escaping for cmd.exe is applied to the whole line by commandLine().
QString quotedArgument(const QString &text);

// Whether a value may stand bare in a line: only letters, digits and _ - . /
bool isBareSafe(const QString &text);

} // namespace BatchScript
