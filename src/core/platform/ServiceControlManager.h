#pragma once

// The thin layer between the program and the Service Control Manager. It hands back the raw
// values Windows stores (numbers, texts, lists), never the program's words; turning them into a
// record is ServiceEnumerator's job. Kept free of Qt so that the Windows implementation builds
// as plain C++ against advapi32 alone.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace platform {

// An open service, owned by the manager that opened it until closeService().
using ServiceHandle = void *;

struct RawServiceEntry
{
    std::u16string serviceName;
    std::u16string displayName;
};

// What QueryServiceConfigW gives (QUERY_SERVICE_CONFIGW, fields the program uses).
struct RawServiceConfig
{
    std::uint32_t serviceType = 0;
    std::uint32_t startType = 0;
    std::uint32_t errorControl = 0;
    std::u16string binaryPath;
    std::u16string loadOrderGroup;
    std::vector<std::u16string> dependencies; // the double-NUL-terminated list, split
    std::u16string serviceStartName;
};

struct RawFailureAction
{
    std::uint32_t type = 0;
    std::uint32_t delayMs = 0;
};

// SERVICE_FAILURE_ACTIONSW.
struct RawFailureActions
{
    std::uint32_t resetPeriodSeconds = 0;
    std::u16string rebootMessage;
    std::u16string command;
    std::vector<RawFailureAction> actions; // every action Windows returned, in order
};

// The optional configuration levels of QueryServiceConfig2W that the program reads.
enum class ConfigLevel : std::uint32_t {
    Description = 1,
    FailureActions = 2,
    DelayedAutoStart = 3,
    ServiceSidInfo = 5,
    RequiredPrivileges = 6,
    PreshutdownInfo = 7,
    LaunchProtected = 12,
};

// The answer to one optional level; only the fields of the level asked for are filled.
struct RawOptionalConfig
{
    std::u16string description;
    RawFailureActions failureActions;
    bool delayedAutoStart = false;
    std::uint32_t serviceSidType = 0;
    std::vector<std::u16string> requiredPrivileges;
    std::uint32_t preshutdownTimeoutMs = 0;
    std::uint32_t launchProtected = 0;
};

class ServiceControlManager
{
public:
    virtual ~ServiceControlManager() = default;

    // OpenSCManagerW for enumeration on the local machine.
    virtual bool open() = 0;
    // EnumServicesStatusExW over SERVICE_WIN32 in every state, in the manager's order.
    virtual bool enumerateWin32Services(std::vector<RawServiceEntry> &services) = 0;
    // OpenServiceW with SERVICE_QUERY_CONFIG; nullptr when it cannot be opened.
    virtual ServiceHandle openService(const std::u16string &serviceName) = 0;
    virtual bool queryConfig(ServiceHandle service, RawServiceConfig &config) = 0;
    // One QueryServiceConfig2W level. False when the level cannot be read; a level that reports
    // a size of 0 answers true with nothing filled in.
    virtual bool queryOptionalConfig(ServiceHandle service, ConfigLevel level,
                                     RawOptionalConfig &config) = 0;
    virtual void closeService(ServiceHandle service) = 0;
    // Closes the manager; also done by the destructor.
    virtual void close() = 0;
};

// The implementation of this platform: advapi32 on Windows, the simulated service database
// elsewhere.
std::unique_ptr<ServiceControlManager> createServiceControlManager();

} // namespace platform
