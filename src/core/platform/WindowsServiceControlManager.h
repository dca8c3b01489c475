#pragma once

// The Service Control Manager of the running Windows, through advapi32. Plain C++ and Win32 only,
// so that the very same source builds into the program and into the mingw-w64 probe.

#include "platform/ServiceControlManager.h"

namespace platform {

// After a call that answers false, GetLastError() still holds the reason Windows gave.
class WindowsServiceControlManager final : public ServiceControlManager
{
public:
    WindowsServiceControlManager() = default;
    ~WindowsServiceControlManager() override;

    WindowsServiceControlManager(const WindowsServiceControlManager &) = delete;
    WindowsServiceControlManager &operator=(const WindowsServiceControlManager &) = delete;

    bool open() override;
    bool enumerateWin32Services(std::vector<RawServiceEntry> &services) override;
    ServiceHandle openService(const std::u16string &serviceName) override;
    bool queryConfig(ServiceHandle service, RawServiceConfig &config) override;
    bool queryOptionalConfig(ServiceHandle service, ConfigLevel level,
                             RawOptionalConfig &config) override;
    void closeService(ServiceHandle service) override;
    void close() override;

private:
    void *m_manager = nullptr; // SC_HANDLE
};

} // namespace platform
