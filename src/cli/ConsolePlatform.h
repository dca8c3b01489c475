#pragma once

#include <QByteArray>

// What the console program needs of the system beyond Qt: the three standard streams as bytes,
// whether one is a terminal, whether the process has administrator rights, and Ctrl+C.
namespace ConsolePlatform {

enum class Stream { Input, Output, Error };

// Called once at start: standard output and error carry bytes as they are (no line-end
// translation), so that what is written is byte for byte what the files hold, and a write to a
// pipe whose reader has gone fails instead of ending the process.
void prepareStreams();

// True when the stream is an interactive terminal (a console window on Windows), not a pipe, a
// file or the null device.
bool isTerminal(Stream stream);

// Writes UTF-8 text to standard output or error: bytes as they are, except on a Windows console,
// which is given the characters so that any text shows right whatever its code page.
bool write(Stream stream, const QByteArray &utf8);

// True when the process may create and delete services: elevated on Windows; always off
// Windows, where the simulated machine needs no rights.
bool hasAdministratorRights();

// From then on Ctrl+C (and on POSIX a termination request or a hang-up of the terminal) does not
// end the process but is noted, so that an installation can stop between two services instead of
// in the middle of one.
void catchInterrupts();
bool interrupted();

} // namespace ConsolePlatform
