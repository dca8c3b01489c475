#include "platform/SimulatedServiceDatabase.h"

#include "AtomicFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QLockFile>
#include <QStandardPaths>

namespace platform {

namespace {

// Long enough for a writer that rewrites a large database on a busy machine.
constexpr int LockTimeoutMs = 10000;

QString nativePath(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

bool writeFile(const QString &path, const QByteArray &contents, QString *error)
{
    QString reason;
    if (AtomicFile::write(path, contents, &reason))
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(nativePath(path), reason);
    return false;
}

bool createSample(const QString &path, QString *error)
{
    QFile sample(QStringLiteral(":/ledgerwell/sample-services.json"));
    if (!sample.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QStringLiteral("the sample service database is missing from the program");
        return false;
    }
    // Written rather than copied: a copy of a resource would be read-only.
    return writeFile(path, sample.readAll(), error);
}

// Holds the database's lock file for as long as it lives.
class DatabaseLock
{
public:
    explicit DatabaseLock(const QString &databasePath)
        : m_lock(databasePath + QStringLiteral(".lock"))
    {
        const QString folder = QFileInfo(databasePath).absolutePath();
        if (!QDir().mkpath(folder)) {
            m_error = QStringLiteral("cannot create the folder %1").arg(nativePath(folder));
            return;
        }
        if (!m_lock.tryLock(LockTimeoutMs)) {
            m_error = QStringLiteral("cannot lock %1 (%2)")
                          .arg(nativePath(databasePath),
                               m_lock.error() == QLockFile::LockFailedError
                                   ? QStringLiteral("another program holds it")
                                   : QStringLiteral("the lock file cannot be written"));
        }
    }

    bool locked(QString *error) const
    {
        if (!m_error.isEmpty() && error)
            *error = m_error;
        return m_error.isEmpty();
    }

private:
    QLockFile m_lock;
    QString m_error;
};

} // namespace

SimulatedServiceDatabase SimulatedServiceDatabase::shared()
{
    return SimulatedServiceDatabase(sharedPath(), qEnvironmentVariableIsEmpty("LEDGERWELL_SCM_DB"));
}

QString SimulatedServiceDatabase::sharedPath()
{
    const QString fromEnvironment = qEnvironmentVariable("LEDGERWELL_SCM_DB");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    // The generic location, not the application's own, so that the program, the stand-in tools
    // and tests under any application name find the same file.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/Quorvantel/Ledgerwell/scm-database.json");
}

SimulatedServiceDatabase::SimulatedServiceDatabase(const QString &path, bool createFromSample)
    : m_path(path)
    , m_createFromSample(createFromSample)
{
}

bool SimulatedServiceDatabase::read(QList<SimulatedService> &services, QString *error) const
{
    services.clear();
    if (!m_createFromSample && !QFileInfo::exists(m_path))
        return true;
    const DatabaseLock lock(m_path);
    QJsonObject topLevel;
    return lock.locked(error) && load(services, topLevel, error);
}

bool SimulatedServiceDatabase::update(const std::function<bool(QList<SimulatedService> &)> &change,
                                      QString *error)
{
    const DatabaseLock lock(m_path);
    if (!lock.locked(error))
        return false;

    QList<SimulatedService> services;
    QJsonObject topLevel;
    if (!load(services, topLevel, error))
        return false;
    if (!change(services))
        return true;

    QJsonArray array;
    for (const SimulatedService &service : std::as_const(services))
        array.append(simulatedServiceToJson(service));
    topLevel.insert(QStringLiteral("services"), array);
    return writeFile(m_path, QJsonDocument(topLevel).toJson(QJsonDocument::Indented), error);
}

bool SimulatedServiceDatabase::load(QList<SimulatedService> &services, QJsonObject &topLevel,
                                    QString *error) const
{
    services.clear();
    topLevel = QJsonObject();
    if (!QFileInfo::exists(m_path)) {
        if (!m_createFromSample)
            return true;
        if (!createSample(m_path, error))
            return false;
    }

    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error =
                QStringLiteral("cannot read %1: %2").arg(nativePath(m_path), file.errorString());
        return false;
    }
    const QByteArray contents = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error =
                QStringLiteral("cannot read %1: %2").arg(nativePath(m_path), file.errorString());
        return false;
    }

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(contents, &parseError);
    auto damaged = [this, error](const QString &why) {
        if (error)
            *error = QStringLiteral("the service database %1 is damaged: %2")
                         .arg(nativePath(m_path), why);
        return false;
    };
    if (parseError.error != QJsonParseError::NoError)
        return damaged(
            QStringLiteral("%1 at byte %2").arg(parseError.errorString()).arg(parseError.offset));
    if (!document.isObject())
        return damaged(QStringLiteral("it holds no JSON object"));

    topLevel = document.object();
    const QJsonValue list = topLevel.value(QStringLiteral("services"));
    if (!list.isUndefined() && !list.isArray())
        return damaged(QStringLiteral("\"services\" is not a list"));
    const QJsonArray array = list.toArray();
    services.reserve(array.size());
    for (const QJsonValue &value : array) {
        SimulatedService service;
        QString why;
        if (!simulatedServiceFromJson(value, service, &why)) {
            services.clear();
            return damaged(why);
        }
        services.append(service);
    }
    settle(services, currentTimeMs());
    return true;
}

void SimulatedServiceDatabase::settle(QList<SimulatedService> &services, qint64 nowMs)
{
    using State = SimulatedService::State;
    for (SimulatedService &service : services) {
        if (service.state == State::StopPending && service.stopRequestedAtMs >= 0
            && nowMs - service.stopRequestedAtMs >= qint64(service.stopTimeMs)) {
            service.state = State::Stopped;
            service.stopRequestedAtMs = -1;
        }
    }
    services.removeIf([](const SimulatedService &service) {
        return service.markedForDeletion && service.state == State::Stopped && !service.heldOpen;
    });
}

qint64 SimulatedServiceDatabase::currentTimeMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

qsizetype SimulatedServiceDatabase::indexOf(const QList<SimulatedService> &services,
                                            const QString &name)
{
    for (qsizetype i = 0; i < services.size(); ++i) {
        if (services.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace platform
