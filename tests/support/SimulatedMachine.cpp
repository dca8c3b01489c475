#include "SimulatedMachine.h"

#include "AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QRegularExpression>
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
    return AtomicFile::write(databasePath(),
                             QJsonDocument(QJsonObject{{"services", services}}).toJson());
}

QJsonArray SimulatedMachine::databaseEntries() const
{
    QFile file(databasePath());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object().value("services").toArray();
}

bool SimulatedMachine::changeEntry(const QString &name, const QJsonObject &changes) const
{
    QJsonArray entries = databaseEntries();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QJsonObject entry = entries.at(i).toObject();
        if (entry.value("name").toString() != name)
            continue;
        for (auto it = changes.begin(); it != changes.end(); ++it)
            entry.insert(it.key(), it.value());
        entries.replace(i, entry);
        return writeDatabase(entries);
    }
    return false;
}

bool SimulatedMachine::wrapStandIn(const QString &tool, const QString &body)
{
    const QString folder = filePath(QStringLiteral("wrapped"));
    const QString state = filePath(QStringLiteral("wrapper-state"));
    if (!QDir().mkpath(folder) || !QDir().mkpath(state))
        return false;
    QFile script(folder + u'/' + tool);
    if (!script.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QString text =
        QStringLiteral("#!/bin/sh\nREAL='%1/%2'\nSTATE='%3'\n%4\nexec \"$REAL\" \"$@\"\n")
            .arg(standInToolsDir(), tool, state, body);
    if (script.write(text.toUtf8()) < 0 || !script.flush())
        return false;
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);
    const QByteArray path = qgetenv("PATH");
    if (!m_restorePath) {
        m_oldPath = path;
        m_restorePath = true;
    }
    if (!path.startsWith(QFile::encodeName(folder)))
        qputenv("PATH", QFile::encodeName(folder + QDir::listSeparator()) + path);
    return true;
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

QJsonObject runningService(const QString &name, const QString &displayName, int stopTimeMs)
{
    QJsonObject service = simulatedService(name, displayName, "C:\\" + name + ".exe");
    service["state"] = "running";
    service["stopTimeMs"] = stopTimeMs;
    return service;
}

QString backupPathIn(const QString &text)
{
    static const QRegularExpression path(QStringLiteral("saved to:\\r?\\n(.+\\.json)"));
    return path.match(text).captured(1);
}
