#include "platform/SystemTools.h"

#include <QCoreApplication>
#include <QFile>

namespace platform {

QString systemToolProgram(const QString &bareName)
{
    return bareName;
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
