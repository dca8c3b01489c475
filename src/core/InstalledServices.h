#pragma once

#include "ServiceInfo.h"

#include <QHash>
#include <QList>
#include <QString>

// One reading of the installed services, looked up by name as Windows matches service names
// (without regard to case), so that many imported records can be compared against it cheaply.
class InstalledServices
{
public:
    InstalledServices() = default;
    explicit InstalledServices(const QList<ServiceInfo> &services);

    const QList<ServiceInfo> &services() const { return m_services; }
    // The first installed service that Windows takes for this name, or nullptr.
    const ServiceInfo *find(const QString &serviceName) const;

private:
    QList<ServiceInfo> m_services;
    QHash<QString, qsizetype> m_indexByKey;
};

// How an imported record stands against the installed services: not installed, installed as it
// is, or installed with fields that differ, counted as the change preview lists them.
struct ImportStatus
{
    enum class Kind { New, Same, Differs };

    Kind kind = Kind::New;
    int differences = 0;

    static ImportStatus of(const InstalledServices &installed, const ServiceInfo &imported);
    // "New", "Same" or "Differs (N)", translated in the context "ImportDialog".
    QString text() const;
    // Orders by how much an installation would change: Same, Differs by count, New.
    bool operator<(const ImportStatus &other) const;
    bool operator==(const ImportStatus &other) const;
};
