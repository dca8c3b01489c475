#pragma once

#include <QString>

namespace platform {

// The program to start for one of the system's command-line tools ("sc", "reg"). On Windows this
// is the full path in the system directory, so that a tool of the same name planted in the
// program's folder or the current directory is never run elevated; elsewhere it is the bare
// name, which finds the stand-in tools on the PATH.
QString systemToolProgram(const QString &bareName);

// Off Windows, puts the program's own folder, where the stand-in tools are built and installed,
// at the front of the PATH, so that the bare names find them. Does nothing on Windows.
void makeStandInToolsReachable();

} // namespace platform
