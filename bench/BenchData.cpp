#include "BenchData.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace BenchData {

namespace {

const QString filler = QStringLiteral(
    " Managed by the fleet configuration; changes are applied at the next maintenance window "
    "and reported to the operations team.");

QString suffixed(const QString &name, int number, int digits)
{
    return name + u'_' + QStringLiteral("%1").arg(number, digits, 10, QLatin1Char('0'));
}

QString longDescription(const QString &description)
{
    QString text =
        description.isEmpty() ? QStringLiteral("Provides a service of the fleet.") : description;
    while (text.size() < 190)
        text += filler;
    return text.left(200);
}

QString quotedProgram(const ServiceInfo &service, const QString &name)
{
    if (service.binaryPath.startsWith(u'"') && service.binaryPath.contains(QStringLiteral("\" ")))
        return service.binaryPath;
    return QStringLiteral("\"C:\\Program Files\\Quorvantel Fleet\\%1\\bin\\%1.exe\" --service "
                          "--config \"C:\\ProgramData\\Quorvantel Fleet\\%1\\service.json\"")
        .arg(name);
}

} // namespace

QByteArray sampleDatabase()
{
    QFile file(QStringLiteral(":/ledgerwell/sample-services.json"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray repeatedDatabase(int count)
{
    const QJsonArray sample = QJsonDocument::fromJson(sampleDatabase())
                                  .object()
                                  .value(QStringLiteral("services"))
                                  .toArray();
    QJsonArray services;
    for (int i = 0; i < count && !sample.isEmpty(); ++i) {
        const int copy = i / int(sample.size());
        QJsonObject service = sample.at(i % sample.size()).toObject();
        const QString name = service.value(QStringLiteral("name")).toString();
        service.insert(QStringLiteral("name"), suffixed(name, copy, 5));
        service.insert(QStringLiteral("displayName"),
                       service.value(QStringLiteral("displayName")).toString()
                           + QStringLiteral(" (%1)").arg(copy));
        services.append(service);
    }
    return QJsonDocument(QJsonObject{{QStringLiteral("services"), services}}).toJson();
}

QString fewRowsFilter(const QList<ServiceInfo> &sample)
{
    return sample.isEmpty() ? QString() : sample.first().serviceName + QStringLiteral("_0000");
}

QList<ServiceInfo> records(const QList<ServiceInfo> &sample, int count)
{
    QList<ServiceInfo> result;
    if (sample.isEmpty())
        return result;
    result.reserve(count);
    for (int i = 0; i < count; ++i) {
        ServiceInfo service = sample.at(i % sample.size());
        const bool firstCopy = i < sample.size();
        const QString name = firstCopy ? service.serviceName : suffixed(service.serviceName, i, 6);
        if (!firstCopy) {
            service.serviceName = name;
            service.displayName += QStringLiteral(" #%1").arg(i);
            service.description = longDescription(service.description);
            service.binaryPath = quotedProgram(service, name);
            if (service.dependencies.isEmpty())
                service.dependencies = {QStringLiteral("RpcSs"), QStringLiteral("Tcpip"),
                                        QStringLiteral("+NetworkProvider")};
            if (service.firstFailure.type.isEmpty() || service.firstFailure.type == u"none") {
                service.failureResetDays = 1;
                service.firstFailure = {QStringLiteral("restart"), 60000};
                service.secondFailure = {QStringLiteral("restart"), 120000};
                service.subsequentFailure = {QStringLiteral("run_command"), 0};
                service.failureCommand = QStringLiteral("C:\\Tools\\notify.exe");
                service.failureCommandParams =
                    QStringLiteral("/service ") + name + QStringLiteral(" /fail=%1%");
            }
        }
        result.append(service);
    }
    return result;
}

QString oneRecordFilter(int index)
{
    return suffixed(QString(), index, 6);
}

} // namespace BenchData
