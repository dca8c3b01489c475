#include "ScMessages.h"
#include "StandInSc.h"
#include "platform/SimulatedServiceDatabase.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

// Stand-in for Windows' sc.exe, working on the simulated service database.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    auto database = platform::SimulatedServiceDatabase::shared();
    return standin::exitStatus(
        standin::runSc(QCoreApplication::arguments().mid(1), database, out, err));
}
