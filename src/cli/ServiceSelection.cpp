#include "ServiceSelection.h"

#include "CommandFiles.h"
#include "Console.h"
#include "ServiceFilter.h"
#include "ServiceName.h"

#include <QSet>

namespace ServiceSelection {

QList<int> all(const QList<ServiceInfo> &services)
{
    QList<int> positions;
    for (int i = 0; i < services.size(); ++i)
        positions.append(i);
    return positions;
}

QList<int> matching(const QList<ServiceInfo> &services, const QString &filter)
{
    QList<int> positions;
    for (int i = 0; i < services.size(); ++i) {
        if (ServiceFilter::matches(services.at(i), filter))
            positions.append(i);
    }
    return positions;
}

bool named(const QList<ServiceInfo> &services, const QStringList &names, QList<int> *positions,
           QString *unknown)
{
    QSet<QString> wanted;
    for (const QString &name : names)
        wanted.insert(ServiceName::key(name));
    QSet<QString> found;
    positions->clear();
    for (int i = 0; i < services.size(); ++i) {
        const QString key = ServiceName::key(services.at(i).serviceName);
        if (wanted.contains(key)) {
            positions->append(i);
            found.insert(key);
        }
    }
    for (const QString &name : names) {
        if (!found.contains(ServiceName::key(name))) {
            *unknown = name;
            return false;
        }
    }
    return true;
}

QList<ServiceInfo> records(const QList<ServiceInfo> &services, const QList<int> &positions)
{
    QList<ServiceInfo> result;
    result.reserve(positions.size());
    for (int position : positions)
        result.append(services.at(position));
    return result;
}

std::optional<FileRecords> fromFile(const QString &path, const QStringList &names,
                                    const QString &outcome)
{
    std::optional<QList<ServiceInfo>> services =
        CommandFiles::read(path, CommandFiles::Empty::Refused);
    if (!services)
        return std::nullopt;
    FileRecords records{*services, all(*services)};
    QString unknown;
    if (!names.isEmpty() && !named(records.services, names, &records.positions, &unknown)) {
        Console::error(
            QStringLiteral("%1 has no service named \"%2\"; %3.").arg(path, unknown, outcome));
        return std::nullopt;
    }
    return records;
}

QCommandLineOption filterOption()
{
    return {QStringLiteral("filter"),
            QStringLiteral("Only the services whose name, display name, start type, account or "
                           "binary path holds TEXT, in any case."),
            QStringLiteral("TEXT")};
}

QCommandLineOption serviceOption()
{
    return {QStringLiteral("service"),
            QStringLiteral("Only the service of this name (in any case); give it again for more."),
            QStringLiteral("NAME")};
}

} // namespace ServiceSelection
