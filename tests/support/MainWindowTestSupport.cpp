#include "MainWindowTestSupport.h"

#include "FileDialog.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "ServiceTable.h"

#include <QFile>
#include <QJsonDocument>
#include <QLabel>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTableWidget>

MainWindowTestEnvironment::MainWindowTestEnvironment()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_dir.filePath("settings"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.filePath("settings"));
    qputenv("LEDGERWELL_SCM_DB", QFile::encodeName(m_dir.filePath("scm-database.json")));
    QStandardPaths::setTestModeEnabled(true);
    MessageBox::setTestMode(true);
    MessageBox::reset();
    FileDialog::setTestMode(true);
    FileDialog::reset();
}

MainWindowTestEnvironment::~MainWindowTestEnvironment()
{
    MessageBox::reset();
    FileDialog::reset();
}

bool MainWindowTestEnvironment::writeDatabase(const QJsonArray &services) const
{
    QSaveFile file(m_dir.filePath("scm-database.json"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(QJsonObject{{"services", services}}).toJson());
    return file.commit();
}

QJsonObject simulatedService(const QString &name, const QString &displayName, int startType,
                             const QString &binaryPath, const QString &account,
                             const QString &description)
{
    return {{"name", name},           {"displayName", displayName}, {"serviceType", 16},
            {"startType", startType}, {"errorControl", 1},          {"binaryPath", binaryPath},
            {"account", account},     {"description", description}, {"state", "stopped"}};
}

QJsonArray sampleServices()
{
    return {
        simulatedService("Spooler", "Print Spooler", 2, "C:\\Windows\\System32\\spoolsv.exe",
                         "LocalSystem", "Spools print jobs."),
        simulatedService("wuauserv", "Windows Update", 3,
                         "C:\\Windows\\system32\\svchost.exe -k netsvcs -p", "LocalSystem",
                         "Enables the detection of updates."),
        simulatedService("Dnscache", "DNS Client", 2,
                         "C:\\Windows\\system32\\svchost.exe -k NetworkService",
                         "NT AUTHORITY\\NetworkService"),
        simulatedService("AcmeAgent", "Acme Backup Agent", 4, "D:\\Acme\\agent.exe", ".\\backup",
                         "Zebra stripes the backups."),
        simulatedService("BITS", "Background Intelligent Transfer Service", 3,
                         "C:\\Windows\\System32\\svchost.exe -k netsvcs", "LocalSystem"),
    };
}

QTableWidget *serviceTable(const MainWindow &window)
{
    return window.findChild<QTableWidget *>("serviceTable");
}

QStringList rowNames(const QTableWidget *table, bool includeHidden)
{
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (includeHidden || !table->isRowHidden(row))
            names.append(table->item(row, ServiceTable::NameColumn)->text());
    }
    return names;
}

void checkServices(QTableWidget *table, const QStringList &names)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (names.contains(table->item(row, ServiceTable::NameColumn)->text()))
            table->item(row, ServiceTable::CheckColumn)->setCheckState(Qt::Checked);
    }
}

QString statusText(const MainWindow &window)
{
    return window.findChild<QLabel *>("statusLabel")->text();
}

QStringList serviceNames(const QList<ServiceInfo> &services)
{
    QStringList names;
    for (const ServiceInfo &service : services)
        names.append(service.serviceName);
    return names;
}
