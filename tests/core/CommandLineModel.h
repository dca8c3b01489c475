#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// A small model of how one line of a batch file reaches a program on Windows: cmd.exe's quote
// and caret handling, then the C runtime's splitting of the command line into arguments.
namespace CommandLineModel {

// The command line cmd.exe hands to the program, or nothing when the line would do more than
// run one command (a command separator, pipe or redirection outside quotes, or a line break).
std::optional<QString> cmdPass(const QString &line);

// argv as the Microsoft C runtime splits a command line (program name first).
QStringList crtSplit(const QString &commandLine);

// Both passes; nothing when cmd.exe would not run exactly one command.
std::optional<QStringList> argumentsOf(const QString &batchLine);

} // namespace CommandLineModel
