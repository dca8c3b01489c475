#include "ConsolePlatform.h"

#include <csignal>
#include <cstdio>

#include <unistd.h>

namespace {

volatile std::sig_atomic_t interruptSeen = 0;

extern "C" void noteInterrupt(int)
{
    interruptSeen = 1;
}

int descriptor(ConsolePlatform::Stream stream)
{
    switch (stream) {
    case ConsolePlatform::Stream::Input:
        return STDIN_FILENO;
    case ConsolePlatform::Stream::Output:
        return STDOUT_FILENO;
    case ConsolePlatform::Stream::Error:
        return STDERR_FILENO;
    }
    return -1;
}

} // namespace

namespace ConsolePlatform {

void prepareStreams()
{
    // A reader that goes away (`| head`) makes a write fail, which is reported and ends with exit
    // status 2, instead of ending the process by a signal, perhaps in the middle of installing.
    std::signal(SIGPIPE, SIG_IGN);
}

bool isTerminal(Stream stream)
{
    return isatty(descriptor(stream)) == 1;
}

bool write(Stream stream, const QByteArray &utf8)
{
    std::FILE *file = stream == Stream::Error ? stderr : stdout;
    const bool written =
        std::fwrite(utf8.constData(), 1, size_t(utf8.size()), file) == size_t(utf8.size());
    return std::fflush(file) == 0 && written;
}

bool hasAdministratorRights()
{
    return true;
}

void catchInterrupts()
{
    struct sigaction action = {};
    action.sa_handler = noteInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    // A closed terminal or a dropped remote session (ssh) must not end an installation between
    // the delete and the create of a service either.
    sigaction(SIGHUP, &action, nullptr);
}

bool interrupted()
{
    return interruptSeen != 0;
}

} // namespace ConsolePlatform
