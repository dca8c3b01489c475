#include "CommandLine.h"
#include "ConsolePlatform.h"
#include "platform/SystemTools.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    ConsolePlatform::prepareStreams();
    QCoreApplication app(argc, argv);
    // The window's names, so that backups of replaced services go to the same folder.
    QCoreApplication::setApplicationName(QStringLiteral("Quorvantel Ledgerwell"));
    QCoreApplication::setOrganizationName(QStringLiteral("Quorvantel"));
    QCoreApplication::setApplicationVersion(QStringLiteral(LEDGERWELL_VERSION));
    platform::makeStandInToolsReachable();
    return runCommandLine(QCoreApplication::arguments());
}
