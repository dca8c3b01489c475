#pragma once

#include <QList>
#include <QString>

// The compile commands that CMake writes for a configuration (compile_commands.json): one entry
// per source that the configuration compiles.
struct CompileCommand
{
    QString file;      // the source, absolute
    QString directory; // where the command runs
    QString command;   // one shell command line, as CMake wrote it
};

namespace CompileCommands {

// False with the reason in error when the file cannot be read or is not in CMake's form.
bool read(const QString &path, QList<CompileCommand> &commands, QString &error);

bool isCxxSource(const QString &file);
bool isResourceScript(const QString &file);

// The compiler and its flags of a C++ command "<compiler> <flags> -o <object> -c <source>",
// without the last four; empty when the command has another form or another source.
QString compilerAndFlags(const CompileCommand &command);
// The same of a resource script's command "<compiler> <flags> <source> <object>".
QString resourceCompilerAndFlags(const CompileCommand &command);

// text as one word of a POSIX shell command line.
QString shellQuoted(const QString &text);

} // namespace CompileCommands
