#pragma once

#include <QString>

namespace platform {

// The program to start for one of the system's command-line tools ("sc", "reg"). On Windows this
// is the full path in the system directory, so that a tool of the same name planted in the
// program's folder or the current directory is never run elevated; elsewhere it is the bare
// name, which finds the stand-in tools on the PATH.
QString systemToolProgram(const QString &bareName);

} // namespace platform
