#pragma once

#include "platform/ServiceControlManager.h"
#include "platform/SimulatedService.h"
#include "platform/SimulatedServiceDatabase.h"

#include <QList>

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

    SimulatedServiceDatabase m_database;
    bool m_open = false;
    QList<SimulatedService> m_services;
    std::vector<std::unique_ptr<SimulatedService>> m_openServices;
};

} // namespace platform
