#include "platform/SystemTools.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <unistd.h>

namespace platform {

QString systemToolProgram(const QString &bareName)
{
    return bareName;
}

void keepApartFromConsoleInterrupts(QProcess &process)
{
    process.setChildProcessModifier([] { ::setpgid(0, 0); });
}

void makeStandInToolsReachable()
{
    const QString ownFolder = QCoreApplication::applicationDirPath();
    const QByteArray path = qgetenv("PATH");
    QByteArray newPath = QFile::encodeName(ownFolder);
    if (!path.isEmpty())
        newPath += ':' + path;
    qputenv("PATH", newPath);
}

} // namespace platform
