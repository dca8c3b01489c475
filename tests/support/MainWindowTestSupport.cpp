#include "MainWindowTestSupport.h"

#include "FileDialog.h"
#include "MainWindow.h"
#include "MessageBox.h"
#include "ServiceTable.h"

#include <QLabel>
#include <QSettings>
#include <QTableView>

MainWindowTestEnvironment::MainWindowTestEnvironment()
{
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, filePath("settings"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, filePath("settings"));
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

QJsonArray sampleServices()
{
    return {
        simulatedService("Spooler", "Print Spooler", "C:\\Windows\\System32\\spoolsv.exe", 2,
                         "LocalSystem", "Spools print jobs."),
        simulatedService("wuauserv", "Windows Update",
                         "C:\\Windows\\system32\\svchost.exe -k netsvcs -p", 3, "LocalSystem",
                         "Enables the detection of updates."),
        simulatedService("Dnscache", "DNS Client",
                         "C:\\Windows\\system32\\svchost.exe -k NetworkService", 2,
                         "NT AUTHORITY\\NetworkService"),
        simulatedService("AcmeAgent", "Acme Backup Agent", "D:\\Acme\\agent.exe", 4, ".\\backup",
                         "Zebra stripes the backups."),
        simulatedService("BITS", "Background Intelligent Transfer Service",
                         "C:\\Windows\\System32\\svchost.exe -k netsvcs", 3, "LocalSystem"),
    };
}

QTableView *serviceTable(const MainWindow &window)
{
    return window.findChild<QTableView *>("serviceTable");
}

void checkServices(QTableView *table, const QStringList &names)
{
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        if (names.contains(cellText(table, row, ServiceTable::NameColumn)))
            setCheckState(table, row, Qt::Checked);
    }
}

QString statusText(const MainWindow &window)
{
    return window.findChild<QLabel *>("statusLabel")->text();
}
