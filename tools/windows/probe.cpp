// Lists every Win32 service through the program's own Windows platform layer and prints, per
// service, each raw value it read and which optional levels failed (with Windows' error code),
// one value per line in TextForm, in the order the layer reads them.

#include "TextForm.h"
#include "platform/WindowsServiceControlManager.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace platform;

namespace {

void line(const std::string &text)
{
    textform::write(text + "\n");
}

void value(const char *key, const std::string &text)
{
    line(std::string("  ") + key + ' ' + text);
}

void number(const char *key, std::uint32_t n)
{
    value(key, std::to_string(n));
}

void text(const char *key, const std::u16string &t)
{
    value(key, textform::quoted(t));
}

void texts(const char *key, const std::vector<std::u16string> &list)
{
    std::string joined;
    for (const auto &entry : list)
        joined += ' ' + textform::quoted(entry);
    line(std::string("  ") + key + joined);
}

std::string failure()
{
    return "failed " + std::to_string(GetLastError());
}

// Levels in the order the enumeration reads them.
const ConfigLevel levels[] = {ConfigLevel::DelayedAutoStart, ConfigLevel::Description,
                              ConfigLevel::FailureActions,   ConfigLevel::ServiceSidInfo,
                              ConfigLevel::PreshutdownInfo,  ConfigLevel::RequiredPrivileges,
                              ConfigLevel::LaunchProtected};

void printLevel(ConfigLevel level, const RawOptionalConfig &config)
{
    switch (level) {
    case ConfigLevel::DelayedAutoStart:
        number("delayedAutoStart", config.delayedAutoStart ? 1 : 0);
        break;
    case ConfigLevel::Description:
        text("description", config.description);
        break;
    case ConfigLevel::FailureActions: {
        const RawFailureActions &failure = config.failureActions;
        number("resetPeriodSeconds", failure.resetPeriodSeconds);
        text("rebootMessage", failure.rebootMessage);
        text("command", failure.command);
        std::string actions;
        for (const RawFailureAction &action : failure.actions)
            actions += ' ' + std::to_string(action.type) + '/' + std::to_string(action.delayMs);
        line("  actions" + actions);
        break;
    }
    case ConfigLevel::ServiceSidInfo:
        number("serviceSidType", config.serviceSidType);
        break;
    case ConfigLevel::PreshutdownInfo:
        number("preshutdownTimeoutMs", config.preshutdownTimeoutMs);
        break;
    case ConfigLevel::RequiredPrivileges:
        texts("requiredPrivileges", config.requiredPrivileges);
        break;
    case ConfigLevel::LaunchProtected:
        number("launchProtected", config.launchProtected);
        break;
    }
}

void printService(WindowsServiceControlManager &manager, const RawServiceEntry &entry)
{
    line("service " + textform::quoted(entry.serviceName));
    text("displayName", entry.displayName);

    const ServiceHandle service = manager.openService(entry.serviceName);
    if (!service) {
        value("open", failure());
        return;
    }
    value("open", "ok");

    RawServiceConfig config;
    if (manager.queryConfig(service, config)) {
        value("config", "ok");
        char mask[16];
        std::snprintf(mask, sizeof mask, "0x%x", unsigned(config.serviceType));
        value("serviceType", mask);
        number("startType", config.startType);
        number("errorControl", config.errorControl);
        text("binaryPath", config.binaryPath);
        text("loadOrderGroup", config.loadOrderGroup);
        texts("dependencies", config.dependencies);
        text("serviceStartName", config.serviceStartName);
    } else {
        value("config", failure());
    }

    // Every level is asked, whatever the ones before answered.
    for (const ConfigLevel level : levels) {
        const std::string key = "level." + std::to_string(unsigned(level));
        RawOptionalConfig optional;
        if (manager.queryOptionalConfig(service, level, optional)) {
            value(key.c_str(), "ok");
            printLevel(level, optional);
        } else {
            value(key.c_str(), failure());
        }
    }
    manager.closeService(service);
}

} // namespace

int wmain()
{
    WindowsServiceControlManager manager;
    if (!manager.open()) {
        line("manager " + failure());
        return 1;
    }
    std::vector<RawServiceEntry> services;
    if (!manager.enumerateWin32Services(services)) {
        line("enumeration " + failure());
        return 1;
    }
    line("services " + std::to_string(services.size()));
    for (const RawServiceEntry &entry : services)
        printService(manager, entry);
    return 0;
}
