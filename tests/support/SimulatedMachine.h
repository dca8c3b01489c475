#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QTemporaryDir>

// A machine of the test's own: a simulated service database in a temporary folder, which the
// platform layer reads through LEDGERWELL_SCM_DB, and application data isolated. With the
// stand-in tools, sc and reg change this database.
class SimulatedMachine
{
public:
    enum class Tools { NotOnPath, StandInsOnPath };

    explicit SimulatedMachine(Tools tools = Tools::NotOnPath);
    ~SimulatedMachine();
    SimulatedMachine(const SimulatedMachine &) = delete;
    SimulatedMachine &operator=(const SimulatedMachine &) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }
    QString databasePath() const { return m_dir.filePath(QStringLiteral("scm-database.json")); }

    // Replaces the simulated database with these entries, in this order.
    bool writeDatabase(const QJsonArray &services) const;
    // The raw entries of the simulated database as they stand now.
    QJsonArray databaseEntries() const;
    // Changes the entry of one service in the simulated database, as another program would.
    bool changeEntry(const QString &name, const QJsonObject &changes) const;

    // Puts a wrapper of the stand-in tool ("sc" or "reg") first on the PATH: a POSIX shell
    // script that runs body first, with $REAL naming the stand-in and $STATE a folder of the
    // wrapper's own, and then the stand-in with the same arguments unless body has exited. For
    // faults of the real tools that the stand-ins do not have.
    bool wrapStandIn(const QString &tool, const QString &body);

private:
    QTemporaryDir m_dir;
    QByteArray m_oldPath;
    bool m_restorePath = false;
};

// The folder with the stand-in sc and reg.
QString standInToolsDir();

// One entry of the simulated database: a stopped service of its own process.
QJsonObject simulatedService(const QString &name, const QString &displayName,
                             const QString &binaryPath, int startType = 3,
                             const QString &account = QStringLiteral("LocalSystem"),
                             const QString &description = QString());

// The same, running: a stop takes stopTimeMs.
QJsonObject runningService(const QString &name, const QString &displayName, int stopTimeMs);

// The backup file an installation's report or question names (the line after "...saved to:").
QString backupPathIn(const QString &text);
