#include "ImportTestSupport.h"

#include "FileDialog.h"
#include "MessageBox.h"
#include "ServiceRecords.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTableWidget>
#include <QTimer>

ImportTestEnvironment::ImportTestEnvironment()
    : m_oldPath(qgetenv("PATH"))
{
    qputenv("LEDGERWELL_SCM_DB", QFile::encodeName(databasePath()));
    qputenv("PATH", QFile::encodeName(standInToolsDir() + QDir::listSeparator()) + m_oldPath);
    QStandardPaths::setTestModeEnabled(true);
    MessageBox::setTestMode(true);
    MessageBox::reset();
    FileDialog::setTestMode(true);
    FileDialog::reset();
    writeDatabase({});
}

ImportTestEnvironment::~ImportTestEnvironment()
{
    qputenv("PATH", m_oldPath);
    MessageBox::reset();
    FileDialog::reset();
}

bool ImportTestEnvironment::writeDatabase(const QJsonArray &services) const
{
    QSaveFile file(databasePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(QJsonObject{{"services", services}}).toJson());
    return file.commit();
}

QJsonArray ImportTestEnvironment::databaseEntries() const
{
    QFile file(databasePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object().value("services").toArray();
}

QString standInToolsDir()
{
    return QStringLiteral(LEDGERWELL_TOOLS_DIR);
}

ServiceInfo importedService(const QString &name, const QString &displayName,
                            const QString &startType, const QString &account,
                            const QString &binaryPath, const QString &description)
{
    ServiceInfo service;
    service.serviceName = name;
    service.displayName = displayName;
    service.startType = startType;
    service.serviceType = QStringLiteral("Own");
    service.errorControl = QStringLiteral("Normal");
    service.accountName = account;
    service.binaryPath = binaryPath;
    service.description = description;
    return service;
}

ServiceInfo serviceWithEveryField(const QString &name)
{
    ServiceInfo service = everyFieldRecord();
    service.serviceName = name;
    // Launch protection is never written to the system; read back, it is "None".
    service.launchProtected = QStringLiteral("None");
    return service;
}

QJsonObject simulatedService(const QString &name, const QString &displayName,
                             const QString &binaryPath)
{
    return {{"name", name},
            {"displayName", displayName},
            {"serviceType", 16},
            {"startType", 3},
            {"errorControl", 1},
            {"binaryPath", binaryPath},
            {"account", "LocalSystem"},
            {"state", "stopped"}};
}

QStringList serviceNames(const QList<ServiceInfo> &services)
{
    QStringList names;
    for (const ServiceInfo &service : services)
        names.append(service.serviceName);
    return names;
}

QStringList rowNames(const QTableWidget *table)
{
    QStringList names;
    for (int row = 0; row < table->rowCount(); ++row)
        names.append(table->item(row, 1)->text());
    return names;
}

int rowOf(const QTableWidget *table, const QString &name)
{
    return int(rowNames(table).indexOf(name));
}

bool withNextModal(const std::function<void()> &trigger,
                   const std::function<void(QWidget *)> &interact)
{
    QWidget *const before = QApplication::activeModalWidget();
    bool opened = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == before)
            return;
        poll.stop();
        opened = true;
        interact(modal);
    });
    poll.start();
    trigger();
    poll.stop();
    return opened;
}
