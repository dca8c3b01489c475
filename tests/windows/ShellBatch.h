#pragma once

#include <QList>
#include <QString>

#include <optional>

// One command line for /bin/sh, the folder it runs in, and what names it in a report.
struct ShellCommand
{
    QString label;
    QString directory;
    QString command;
};

struct ShellFailure
{
    QString label;
    QString output; // what it printed, then how it ended
};

namespace ShellBatch {

// Runs the commands in their order, at most jobs at a time. At the first one that fails it
// starts no more, ends those still running and returns that failure; nothing when all passed.
std::optional<ShellFailure> runUntilFirstFailure(const QList<ShellCommand> &commands, int jobs);

} // namespace ShellBatch
