#include "SimulatedMachine.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>
#include <QStandardPaths>

SimulatedMachine::SimulatedMachine(Tools tools)
{
    qputenv("LEDGERWELL_SCM_DB", QFile::encodeName(databasePath()));
    QStandardPaths::setTestModeEnabled(true);
    if (tools == Tools::StandInsOnPath) {
        m_oldPath = qgetenv("PATH");
        m_restorePath = true;
        qputenv("PATH", QFile::encodeName(standInToolsDir() + QDir::listSeparator()) + m_oldPath);
    }
}

SimulatedMachine::~SimulatedMachine()
{
    if (m_restorePath)
        qputenv("PATH", m_oldPath);
}

bool SimulatedMachine::writeDatabase(const QJsonArray &services) const
{
    QSaveFile file(databasePath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QJsonDocument(QJsonObject{{"services", services}}).toJson());
    return file.commit();
}

QJsonArray SimulatedMachine::databaseEntries() const
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

QJsonObject simulatedService(const QString &name, const QString &displayName,
                             const QString &binaryPath, int startType, const QString &account,
                             const QString &description)
{
    QJsonObject service{{"name", name},       {"displayName", displayName},
                        {"serviceType", 16},  {"startType", startType},
                        {"errorControl", 1},  {"binaryPath", binaryPath},
                        {"account", account}, {"state", "stopped"}};
    if (!description.isEmpty())
        service.insert("description", description);
    return service;
}
