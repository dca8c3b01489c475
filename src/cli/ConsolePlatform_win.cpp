#include "ConsolePlatform.h"

#include <QString>

#include <atomic>
#include <cstdio>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

std::atomic<bool> interruptSeen{false};

BOOL WINAPI noteInterrupt(DWORD type)
{
    if (type == CTRL_C_EVENT || type == CTRL_BREAK_EVENT) {
        interruptSeen = true;
        return TRUE;
    }
    return FALSE;
}

HANDLE handle(ConsolePlatform::Stream stream)
{
    switch (stream) {
    case ConsolePlatform::Stream::Input:
        return GetStdHandle(STD_INPUT_HANDLE);
    case ConsolePlatform::Stream::Output:
        return GetStdHandle(STD_OUTPUT_HANDLE);
    case ConsolePlatform::Stream::Error:
        return GetStdHandle(STD_ERROR_HANDLE);
    }
    return INVALID_HANDLE_VALUE;
}

} // namespace

namespace ConsolePlatform {

void prepareStreams()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    _setmode(_fileno(stdin), _O_BINARY);
}

bool isTerminal(Stream stream)
{
    // _isatty also says yes for the null device; only a console has a console mode.
    DWORD mode = 0;
    return GetConsoleMode(handle(stream), &mode) != 0;
}

bool write(Stream stream, const QByteArray &utf8)
{
    std::FILE *file = stream == Stream::Error ? stderr : stdout;
    if (isTerminal(stream)) {
        std::fflush(file);
        const std::wstring text = QString::fromUtf8(utf8).toStdWString();
        const wchar_t *data = text.data();
        DWORD left = DWORD(text.size());
        while (left > 0) {
            DWORD written = 0;
            if (!WriteConsoleW(handle(stream), data, left, &written, nullptr) || written == 0)
                return false;
            data += written;
            left -= written;
        }
        return true;
    }
    const bool written =
        std::fwrite(utf8.constData(), 1, size_t(utf8.size()), file) == size_t(utf8.size());
    return std::fflush(file) == 0 && written;
}

bool hasAdministratorRights()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    const bool elevated =
        GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size)
        && elevation.TokenIsElevated != 0;
    CloseHandle(token);
    return elevated;
}

void catchInterrupts()
{
    SetConsoleCtrlHandler(noteInterrupt, TRUE);
}

bool interrupted()
{
    return interruptSeen;
}

} // namespace ConsolePlatform
