#include "StandInReg.h"
#include "platform/SimulatedServiceDatabase.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>

// Stand-in for Windows' reg.exe: sets a service's pre-shutdown time-out in the simulated
// service database.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    auto database = platform::SimulatedServiceDatabase::shared();
    return standin::runReg(QCoreApplication::arguments().mid(1), database, out, err);
}
