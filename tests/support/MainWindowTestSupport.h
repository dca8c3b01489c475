#pragma once

#include "ServiceRecords.h"
#include "SimulatedMachine.h"
#include "TableRows.h"

#include <QJsonArray>
#include <QString>
#include <QStringList>

class MainWindow;
class QTableView;

// What every main window test needs: its own settings store and its own small simulated service
// database, both in a temporary folder, and the dialog seam in test mode.
class MainWindowTestEnvironment : public SimulatedMachine
{
public:
    MainWindowTestEnvironment();
    ~MainWindowTestEnvironment();
};

// Five services, listed by the manager in this order: Spooler, wuauserv, Dnscache, AcmeAgent,
// BITS. Only AcmeAgent's description contains "Zebra".
QJsonArray sampleServices();

QTableView *serviceTable(const MainWindow &window);
// Checks the rows of these services among the rows the table shows.
void checkServices(QTableView *table, const QStringList &names);
QString statusText(const MainWindow &window);
