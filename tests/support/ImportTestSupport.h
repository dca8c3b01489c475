#pragma once

#include "ServiceInfo.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class QTableWidget;
class QWidget;

// What the import dialog tests share: a temporary folder with their own simulated service
// database, application data isolated, the dialog seam in test mode, and the stand-in tools
// first on the PATH.
class ImportTestEnvironment
{
public:
    ImportTestEnvironment();
    ~ImportTestEnvironment();

    bool isValid() const { return m_dir.isValid(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString databasePath() const { return m_dir.filePath(QStringLiteral("scm-database.json")); }

    // Replaces the simulated database with these entries, in this order.
    bool writeDatabase(const QJsonArray &services) const;
    // The raw entries of the simulated database as they stand now.
    QJsonArray databaseEntries() const;

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
};

// The folder with the stand-in sc and reg.
QString standInToolsDir();

// An imported record with the fields the dialog's table shows.
ServiceInfo importedService(const QString &name, const QString &displayName = QString(),
                            const QString &startType = QStringLiteral("Manual"),
                            const QString &account = QStringLiteral("LocalSystem"),
                            const QString &binaryPath = QStringLiteral("C:\\svc.exe"),
                            const QString &description = QString());

// The shared every-field record under this name, as the system can hold it after an install.
ServiceInfo serviceWithEveryField(const QString &name);

// One entry of the simulated database, stopped, own process.
QJsonObject simulatedService(const QString &name, const QString &displayName,
                             const QString &binaryPath);

QStringList serviceNames(const QList<ServiceInfo> &services);

// The record names of the table's rows from top to bottom.
QStringList rowNames(const QTableWidget *table);
int rowOf(const QTableWidget *table, const QString &name);

// Runs interact on the next modal dialog that opens while trigger runs; interact must close it.
// False when no modal dialog opened.
bool withNextModal(const std::function<void()> &trigger,
                   const std::function<void(QWidget *)> &interact);
