#pragma once

#include <QString>

class QProcess;

namespace platform {

// The program to start for one of the system's command-line tools ("sc", "reg"). On Windows this
// is the full path in the system directory, so that a tool of the same name planted in the
// program's folder or the current directory is never run elevated; elsewhere it is the bare
// name, which finds the stand-in tools on the PATH.
QString systemToolProgram(const QString &bareName);

// Before a tool is started: it runs apart from the console or terminal we were started from
// (on Windows in a console of its own that shows no window, elsewhere in a process group of its
// own). Ctrl+C there reaches every program of the console or the terminal's job; it must reach
// only ours, which finishes the step in hand, and never end a tool in the middle of a delete.
void keepApartFromConsoleInterrupts(QProcess &process);

// Off Windows, puts the program's own folder, where the stand-in tools are built and installed,
// at the front of the PATH, so that the bare names find them. Does nothing on Windows.
void makeStandInToolsReachable();

} // namespace platform
