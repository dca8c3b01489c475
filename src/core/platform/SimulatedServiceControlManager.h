#pragma once

#include "platform/ServiceControlManager.h"
#include "platform/SimulatedService.h"
#include "platform/SimulatedServiceDatabase.h"

#include <QHash>
#include <QList>
#include <QString>

#include <memory>
#include <vector>

namespace platform {

// The Service Control Manager off Windows: answers from the simulated service database as
// advapi32 would, including the faults that the database switches on for a service (cannot be
// opened, configuration unreadable, optional levels that fail).
class SimulatedServiceControlManager final : public ServiceControlManager
{
public:
    explicit SimulatedServiceControlManager(const SimulatedServiceDatabase &database);
    ~SimulatedServiceControlManager() override;

    // Takes a snapshot of the database; false when it cannot be read.
    bool open() override;
    bool enumerateWin32Services(std::vector<RawServiceEntry> &services) override;
    ServiceHandle openService(const std::u16string &serviceName) override;
    bool queryConfig(ServiceHandle service, RawServiceConfig &config) override;
    bool queryOptionalConfig(ServiceHandle service, ConfigLevel level,
                             RawOptionalConfig &config) override;
    void closeService(ServiceHandle service) override;
    void close() override;

private:
    const SimulatedService *find(ServiceHandle service) const;
    // The index in m_services of the service with this name, as
    // SimulatedServiceDatabase::indexOf finds it, without a search through the whole list.
    qsizetype indexOf(const QString &name) const;

    SimulatedServiceDatabase m_database;
    bool m_open = false;
    QList<SimulatedService> m_services;
    QHash<QString, qsizetype> m_indexByFoldedName; // the first service of each folded name
    // One entry per open handle: the index of its service in m_services, which stays as it is
    // while the manager is open.
    std::vector<std::unique_ptr<qsizetype>> m_openServices;
};

} // namespace platform
