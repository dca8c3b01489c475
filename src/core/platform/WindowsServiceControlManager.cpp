#include "platform/WindowsServiceControlManager.h"

#include "platform/BatchedEnumeration.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <winsvc.h>

#include <algorithm>
#include <cwchar>

namespace platform {

namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows texts are UTF-16");
static_assert(DWORD(ConfigLevel::Description) == SERVICE_CONFIG_DESCRIPTION);
static_assert(DWORD(ConfigLevel::FailureActions) == SERVICE_CONFIG_FAILURE_ACTIONS);
static_assert(DWORD(ConfigLevel::DelayedAutoStart) == SERVICE_CONFIG_DELAYED_AUTO_START_INFO);
static_assert(DWORD(ConfigLevel::ServiceSidInfo) == SERVICE_CONFIG_SERVICE_SID_INFO);
static_assert(DWORD(ConfigLevel::RequiredPrivileges) == SERVICE_CONFIG_REQUIRED_PRIVILEGES_INFO);
static_assert(DWORD(ConfigLevel::PreshutdownInfo) == SERVICE_CONFIG_PRESHUTDOWN_INFO);
static_assert(DWORD(ConfigLevel::LaunchProtected) == 12); // SERVICE_CONFIG_LAUNCH_PROTECTED

// Levels 3, 5, 7 and 12 answer a structure of one DWORD (SERVICE_LAUNCH_PROTECTED_INFO is missing
// from some SDKs, so that one is read as the DWORD it holds).
static_assert(sizeof(SERVICE_DELAYED_AUTO_START_INFO) == sizeof(DWORD));
static_assert(sizeof(SERVICE_SID_INFO) == sizeof(DWORD));
static_assert(sizeof(SERVICE_PRESHUTDOWN_INFO) == sizeof(DWORD));

// A zero-filled buffer of the byte count Windows asked for. The storage is aligned for the
// structure Windows writes at its start and never smaller than that structure, so that a short
// answer cannot make us read past the end.
class QueryBuffer
{
public:
    explicit QueryBuffer(std::size_t structureSize)
        : m_minimumStorage(structureSize)
    {
    }

    void resize(DWORD bytes)
    {
        m_bytes = bytes;
        const std::size_t storage = std::max<std::size_t>(bytes, m_minimumStorage);
        m_storage.assign((storage + sizeof(Unit) - 1) / sizeof(Unit), 0);
    }

    // Null while no size is set, as Windows expects for a size query.
    BYTE *data() { return m_bytes ? reinterpret_cast<BYTE *>(m_storage.data()) : nullptr; }
    DWORD size() const { return m_bytes; }
    template<typename T>
    const T *as() const
    {
        return reinterpret_cast<const T *>(m_storage.data());
    }

private:
    using Unit = unsigned long long;
    std::size_t m_minimumStorage = 0;
    std::vector<Unit> m_storage;
    DWORD m_bytes = 0;
};

SC_HANDLE handle(void *value)
{
    return static_cast<SC_HANDLE>(value);
}

std::u16string text(const wchar_t *value)
{
    if (!value)
        return {};
    return std::u16string(reinterpret_cast<const char16_t *>(value));
}

// A double-NUL-terminated list of texts; a null pointer or an empty first entry is no entry.
std::vector<std::u16string> texts(const wchar_t *list)
{
    std::vector<std::u16string> result;
    if (!list)
        return result;
    for (const wchar_t *entry = list; *entry; entry += std::wcslen(entry) + 1)
        result.push_back(text(entry));
    return result;
}

// A level whose size Windows reports first. False when the level cannot be read; true with
// `empty` set when Windows reports nothing to read.
bool queryVariableLevel(SC_HANDLE service, DWORD level, QueryBuffer &buffer, bool &empty)
{
    DWORD needed = 0;
    const bool sized = QueryServiceConfig2W(service, level, nullptr, 0, &needed)
                       || GetLastError() == ERROR_INSUFFICIENT_BUFFER;
    empty = needed == 0;
    if (empty)
        return sized; // GetLastError() still holds why the size query failed
    buffer.resize(needed);
    return QueryServiceConfig2W(service, level, buffer.data(), buffer.size(), &needed);
}

// A level whose answer is a single DWORD-sized structure.
bool queryFixedLevel(SC_HANDLE service, DWORD level, DWORD &value)
{
    QueryBuffer buffer(sizeof(DWORD));
    buffer.resize(sizeof(DWORD));
    DWORD needed = 0;
    if (!QueryServiceConfig2W(service, level, buffer.data(), buffer.size(), &needed))
        return false;
    value = *buffer.as<DWORD>();
    return true;
}

bool readDescription(SC_HANDLE service, std::u16string &description)
{
    QueryBuffer buffer(sizeof(SERVICE_DESCRIPTIONW));
    bool empty = false;
    if (!queryVariableLevel(service, SERVICE_CONFIG_DESCRIPTION, buffer, empty))
        return false;
    if (!empty)
        description = text(buffer.as<SERVICE_DESCRIPTIONW>()->lpDescription);
    return true;
}

bool readFailureActions(SC_HANDLE service, RawFailureActions &actions)
{
    QueryBuffer buffer(sizeof(SERVICE_FAILURE_ACTIONSW));
    bool empty = false;
    if (!queryVariableLevel(service, SERVICE_CONFIG_FAILURE_ACTIONS, buffer, empty))
        return false;
    if (empty)
        return true;
    const auto *answer = buffer.as<SERVICE_FAILURE_ACTIONSW>();
    actions.resetPeriodSeconds = answer->dwResetPeriod;
    actions.rebootMessage = text(answer->lpRebootMsg);
    actions.command = text(answer->lpCommand);
    if (answer->lpsaActions) {
        for (DWORD i = 0; i < answer->cActions; ++i) {
            const SC_ACTION &action = answer->lpsaActions[i];
            actions.actions.push_back({DWORD(action.Type), action.Delay});
        }
    }
    return true;
}

bool readRequiredPrivileges(SC_HANDLE service, std::vector<std::u16string> &privileges)
{
    QueryBuffer buffer(sizeof(SERVICE_REQUIRED_PRIVILEGES_INFOW));
    bool empty = false;
    if (!queryVariableLevel(service, SERVICE_CONFIG_REQUIRED_PRIVILEGES_INFO, buffer, empty))
        return false;
    if (!empty)
        privileges = texts(buffer.as<SERVICE_REQUIRED_PRIVILEGES_INFOW>()->pmszRequiredPrivileges);
    return true;
}

} // namespace

WindowsServiceControlManager::~WindowsServiceControlManager()
{
    close();
}

bool WindowsServiceControlManager::open()
{
    close();
    m_manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_ENUMERATE_SERVICE);
    return m_manager != nullptr;
}

bool WindowsServiceControlManager::enumerateWin32Services(std::vector<RawServiceEntry> &services)
{
    services.clear();
    if (!m_manager) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }

    // Size query. It hands out no entries, so the listing proper starts again at resume
    // handle 0.
    const SC_HANDLE manager = handle(m_manager);
    DWORD needed = 0;
    DWORD returned = 0;
    DWORD resume = 0;
    EnumServicesStatusExW(manager, SC_ENUM_PROCESS_INFO, SERVICE_WIN32, SERVICE_STATE_ALL, nullptr,
                          0, &needed, &returned, &resume, nullptr);

    auto call = [manager](unsigned char *buffer, std::uint32_t size, std::uint32_t &neededBytes,
                          std::uint32_t &returnedEntries, std::uint32_t &resumeHandle) {
        DWORD bytes = 0;
        DWORD entries = 0;
        DWORD next = resumeHandle;
        const BOOL complete =
            EnumServicesStatusExW(manager, SC_ENUM_PROCESS_INFO, SERVICE_WIN32, SERVICE_STATE_ALL,
                                  buffer, size, &bytes, &entries, &next, nullptr);
        neededBytes = bytes;
        returnedEntries = entries;
        resumeHandle = next;
        if (complete)
            return BatchAnswer::Complete;
        return GetLastError() == ERROR_MORE_DATA ? BatchAnswer::MoreData : BatchAnswer::Failed;
    };
    auto take = [&services](const unsigned char *buffer, std::uint32_t entries) {
        const auto *entry = reinterpret_cast<const ENUM_SERVICE_STATUS_PROCESSW *>(buffer);
        for (std::uint32_t i = 0; i < entries; ++i)
            services.push_back({text(entry[i].lpServiceName), text(entry[i].lpDisplayName)});
    };
    // GetLastError() keeps the answer of the call that ended the listing.
    return readInBatches(needed, sizeof(ENUM_SERVICE_STATUS_PROCESSW), call, take);
}

ServiceHandle WindowsServiceControlManager::openService(const std::u16string &serviceName)
{
    if (!m_manager)
        return nullptr;
    return OpenServiceW(handle(m_manager), reinterpret_cast<const wchar_t *>(serviceName.c_str()),
                        SERVICE_QUERY_CONFIG);
}

bool WindowsServiceControlManager::queryConfig(ServiceHandle service, RawServiceConfig &config)
{
    DWORD needed = 0;
    QueryServiceConfigW(handle(service), nullptr, 0, &needed);
    QueryBuffer buffer(sizeof(QUERY_SERVICE_CONFIGW));
    buffer.resize(needed);
    if (!QueryServiceConfigW(handle(service),
                             reinterpret_cast<QUERY_SERVICE_CONFIGW *>(buffer.data()),
                             buffer.size(), &needed))
        return false;

    const auto *answer = buffer.as<QUERY_SERVICE_CONFIGW>();
    config.serviceType = answer->dwServiceType;
    config.startType = answer->dwStartType;
    config.errorControl = answer->dwErrorControl;
    config.binaryPath = text(answer->lpBinaryPathName);
    config.loadOrderGroup = text(answer->lpLoadOrderGroup);
    config.dependencies = texts(answer->lpDependencies);
    config.serviceStartName = text(answer->lpServiceStartName);
    return true;
}

bool WindowsServiceControlManager::queryOptionalConfig(ServiceHandle service, ConfigLevel level,
                                                       RawOptionalConfig &config)
{
    const SC_HANDLE sc = handle(service);
    const DWORD windowsLevel = DWORD(level);
    DWORD value = 0;

    switch (level) {
    case ConfigLevel::Description:
        return readDescription(sc, config.description);
    case ConfigLevel::FailureActions:
        return readFailureActions(sc, config.failureActions);
    case ConfigLevel::RequiredPrivileges:
        return readRequiredPrivileges(sc, config.requiredPrivileges);
    case ConfigLevel::DelayedAutoStart:
        if (!queryFixedLevel(sc, windowsLevel, value))
            return false;
        config.delayedAutoStart = value != 0;
        return true;
    case ConfigLevel::ServiceSidInfo:
        if (!queryFixedLevel(sc, windowsLevel, value))
            return false;
        config.serviceSidType = value;
        return true;
    case ConfigLevel::PreshutdownInfo:
        if (!queryFixedLevel(sc, windowsLevel, value))
            return false;
        config.preshutdownTimeoutMs = value;
        return true;
    case ConfigLevel::LaunchProtected:
        if (!queryFixedLevel(sc, windowsLevel, value))
            return false;
        config.launchProtected = value;
        return true;
    }
    SetLastError(ERROR_INVALID_LEVEL);
    return false;
}

void WindowsServiceControlManager::closeService(ServiceHandle service)
{
    if (service)
        CloseServiceHandle(handle(service));
}

void WindowsServiceControlManager::close()
{
    if (m_manager) {
        CloseServiceHandle(handle(m_manager));
        m_manager = nullptr;
    }
}

std::unique_ptr<ServiceControlManager> createServiceControlManager()
{
    return std::make_unique<WindowsServiceControlManager>();
}

} // namespace platform
