#include "platform/SystemTools.h"

#include <QDir>
#include <QProcess>

#include <windows.h>

namespace platform {

QString systemToolProgram(const QString &bareName)
{
    wchar_t directory[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return QString(); // never fall back to a search that could find a planted tool
    return QDir::toNativeSeparators(QString::fromWCharArray(directory, int(length)) + u'/'
                                    + bareName + QStringLiteral(".exe"));
}

void keepApartFromConsoleInterrupts(QProcess &process)
{
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments *arguments) { arguments->flags |= CREATE_NO_WINDOW; });
}

void makeStandInToolsReachable() {}

} // namespace platform
