#include "platform/SimulatedServiceControlManager.h"

#include <algorithm>

namespace platform {

namespace {

std::u16string raw(const QString &text)
{
    return text.toStdU16String();
}

std::vector<std::u16string> raw(const QStringList &texts)
{
    std::vector<std::u16string> list;
    list.reserve(std::size_t(texts.size()));
    for (const QString &text : texts)
        list.push_back(raw(text));
    return list;
}

} // namespace

SimulatedServiceControlManager::SimulatedServiceControlManager(
    const SimulatedServiceDatabase &database)
    : m_database(database)
{
}

SimulatedServiceControlManager::~SimulatedServiceControlManager()
{
    close();
}

bool SimulatedServiceControlManager::open()
{
    close();
    m_open = m_database.read(m_services);
    m_indexByFoldedName.reserve(m_services.size());
    // From the end, so that of two services with one name the first stays, as indexOf finds it.
    for (qsizetype i = m_services.size() - 1; i >= 0; --i)
        m_indexByFoldedName.insert(m_services.at(i).name.toCaseFolded(), i);
    return m_open;
}

bool SimulatedServiceControlManager::enumerateWin32Services(std::vector<RawServiceEntry> &services)
{
    services.clear();
    if (!m_open)
        return false;
    for (const SimulatedService &service : std::as_const(m_services)) {
        // Windows gives the key name when a service has no display name of its own.
        if (isWin32Service(service)) {
            services.push_back(
                {raw(service.name),
                 raw(service.displayName.isEmpty() ? service.name : service.displayName)});
        }
    }
    return true;
}

ServiceHandle SimulatedServiceControlManager::openService(const std::u16string &serviceName)
{
    if (!m_open)
        return nullptr;
    const qsizetype index = indexOf(QString::fromStdU16String(serviceName));
    if (index < 0 || m_services.at(index).cannotOpen)
        return nullptr;
    m_openServices.push_back(std::make_unique<qsizetype>(index));
    return m_openServices.back().get();
}

bool SimulatedServiceControlManager::queryConfig(ServiceHandle service, RawServiceConfig &config)
{
    const SimulatedService *const entry = find(service);
    if (!entry || entry->configUnreadable)
        return false;
    config.serviceType = entry->serviceType;
    config.startType = entry->startType;
    config.errorControl = entry->errorControl;
    config.binaryPath = raw(entry->binaryPath);
    config.loadOrderGroup = raw(entry->loadOrderGroup);
    config.dependencies = raw(entry->dependencies);
    config.serviceStartName = raw(entry->account);
    return true;
}

bool SimulatedServiceControlManager::queryOptionalConfig(ServiceHandle service, ConfigLevel level,
                                                         RawOptionalConfig &config)
{
    const SimulatedService *const entry = find(service);
    if (!entry || entry->failingLevels.contains(std::uint32_t(level)))
        return false;

    switch (level) {
    case ConfigLevel::Description:
        config.description = raw(entry->description);
        return true;
    case ConfigLevel::FailureActions:
        config.failureActions.resetPeriodSeconds = entry->resetPeriodSeconds;
        config.failureActions.rebootMessage = raw(entry->rebootMessage);
        config.failureActions.command = raw(entry->command);
        config.failureActions.actions.clear();
        for (const SimulatedFailureAction &action : entry->actions)
            config.failureActions.actions.push_back({action.type, action.delayMs});
        return true;
    case ConfigLevel::DelayedAutoStart:
        config.delayedAutoStart = entry->delayedAutoStart;
        return true;
    case ConfigLevel::ServiceSidInfo:
        config.serviceSidType = entry->sidType;
        return true;
    case ConfigLevel::RequiredPrivileges:
        config.requiredPrivileges = raw(entry->requiredPrivileges);
        return true;
    case ConfigLevel::PreshutdownInfo:
        config.preshutdownTimeoutMs = entry->preshutdownTimeoutMs;
        return true;
    case ConfigLevel::LaunchProtected:
        config.launchProtected = entry->launchProtected;
        return true;
    }
    return false; // ERROR_INVALID_LEVEL
}

void SimulatedServiceControlManager::closeService(ServiceHandle service)
{
    const auto found = std::find_if(m_openServices.begin(), m_openServices.end(),
                                    [service](const auto &open) { return open.get() == service; });
    if (found != m_openServices.end())
        m_openServices.erase(found);
}

void SimulatedServiceControlManager::close()
{
    m_openServices.clear();
    m_services.clear();
    m_indexByFoldedName.clear();
    m_open = false;
}

const SimulatedService *SimulatedServiceControlManager::find(ServiceHandle service) const
{
    for (const auto &open : m_openServices) {
        if (open.get() == service)
            return &m_services.at(*open);
    }
    return nullptr;
}

qsizetype SimulatedServiceControlManager::indexOf(const QString &name) const
{
    // Folding and the database's case-blind comparison agree on every name a service is likely
    // to have; where they might not, the database's own search decides.
    const qsizetype index = m_indexByFoldedName.value(name.toCaseFolded(), -1);
    if (index >= 0 && m_services.at(index).name.compare(name, Qt::CaseInsensitive) == 0)
        return index;
    return SimulatedServiceDatabase::indexOf(m_services, name);
}

std::unique_ptr<ServiceControlManager> createServiceControlManager()
{
    return std::make_unique<SimulatedServiceControlManager>(SimulatedServiceDatabase::shared());
}

} // namespace platform
