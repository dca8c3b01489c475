#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

struct ServiceCommand;
struct ServiceInfo;

// Batch script text for the commands of ServiceCommands. Each line, run by cmd.exe, runs exactly
// one command, and the tool receives exactly the command's argument texts.
namespace BatchScript {

// cmd.exe reads at most this many characters of a line; the rest runs as a command of its own.
// The script is read as UTF-8 (chcp 65001), and whether cmd.exe counts the characters before or
// after decoding a line is not documented: lines are measured in UTF-8 bytes, never fewer than
// their characters, so that a line is within the limit either way.
constexpr int MaximumLineLength = 8191;

// A whole script (header, one block per service, footer), or why none can be written.
struct Script
{
    // UTF-8, every line ended by CR LF; empty when refused.
    QByteArray bytes;
    // Why no script can be written, as a whole sentence; empty when the script is sound.
    QString refusal;
    // The records left out, one entry each with its reason, such as: record 3 ("X") has no
    // service name.
    QStringList leftOut;
    // The records the script creates.
    int serviceCount = 0;

    bool isRefused() const { return !refusal.isEmpty(); }
};

// The script for the services. Left out, and named in leftOut by their position, are records
// whose service name Windows would not accept, and records with a line break or another
// control character in a value that names something (the service, the image path, the
// account, a dependency, the load order group, the recovery command and actions, the SID type,
// a privilege): a batch line cannot carry one, and a blank in its place would name something
// else. In the description, the display name and the reboot message such a character is
// written as a blank. positions holds one 1-based position in the file per service, or is
// empty for 1, 2, 3, ... The script is refused when one of its lines would be longer than
// cmd.exe reads, or when every record is left out.
Script write(const QList<ServiceInfo> &services, const QList<int> &positions = {});

// One command as a batch line: the program, then each argument quoted or bare.
QString commandLine(const ServiceCommand &command);

// The paragraph that tells the user which records a script left out; empty when none.
QString leftOutNote(const QStringList &leftOut);

} // namespace BatchScript
