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

} // namespace BatchScript
