#pragma once

#include "ServiceInfo.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

class MainWindow;
class QTableWidget;

// What every main window test needs: its own settings store and its own small simulated service
// database, both in a temporary folder, and the dialog seam in test mode.
class MainWindowTestEnvironment
{
public:
    MainWindowTestEnvironment();
    ~MainWindowTestEnvironment();

    bool isValid() const { return m_dir.isValid(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    // Replaces the simulated database with these entries, in this order.
    bool writeDatabase(const QJsonArray &services) const;

private:
    QTemporaryDir m_dir;
};

// One entry of the simulated database.
QJsonObject simulatedService(const QString &name, const QString &displayName, int startType,
                             const QString &binaryPath, const QString &account,
                             const QString &description = QString());

// Five services, listed by the manager in this order: Spooler, wuauserv, Dnscache, AcmeAgent,
// BITS. Only AcmeAgent's description contains "Zebra".
QJsonArray sampleServices();

QTableWidget *serviceTable(const MainWindow &window);
// The service names of the table's rows from top to bottom; hidden rows only when asked.
QStringList rowNames(const QTableWidget *table, bool includeHidden = false);
// Checks the rows of these services.
void checkServices(QTableWidget *table, const QStringList &names);
QString statusText(const MainWindow &window);
QStringList serviceNames(const QList<ServiceInfo> &services);
