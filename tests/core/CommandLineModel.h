#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A small model of how one line of a batch file reaches a program on Windows: cmd.exe's percent
// expansion, its quote and caret handling, then the C runtime's splitting of the command line
// into arguments. The scripts switch delayed expansion off, so ! has no meaning of its own.
namespace CommandLineModel {

// The line after cmd.exe's percent phase: %% gives %. Nothing when a single percent sign is
// left, since cmd.exe would expand it into a variable, an argument or nothing, depending on the
// machine and on how the script was started.
std::optional<QString> percentPass(const QString &line);

// The command line cmd.exe hands to the program, or nothing when the line would do more than
// run one command (a command separator, pipe or redirection outside quotes, or a line break)
// or holds a single percent sign.
std::optional<QString> cmdPass(const QString &batchLine);

// argv as the Microsoft C runtime splits a command line (program name first).
QStringList crtSplit(const QString &commandLine);

// Both passes; nothing when cmd.exe would not run exactly one command.
std::optional<QStringList> argumentsOf(const QString &batchLine);

} // namespace CommandLineModel
