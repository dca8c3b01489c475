#pragma once

#include "platform/SimulatedService.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The keyword arguments of the stand-in sc, with the real tool's keywords and values. Each
// keyword ("start=") and its value are separate arguments; keywords and their fixed values are
// matched without regard to case, as the real tool does.
namespace standin {

// What a create or config command asks for; what it does not name stays as it is.
struct ServiceOptions
{
    std::optional<std::uint32_t> typeBase; // own, share, kernel, ... (without the interact bit)
    bool interactive = false;              // type= interact
    std::optional<std::uint32_t> startType;
    bool delayedAutoStart = false; // start= delayed-auto
    std::optional<std::uint32_t> errorControl;
    std::optional<QString> binaryPath;
    std::optional<QString> loadOrderGroup;
    std::optional<QStringList> dependencies;
    std::optional<QString> account;
    std::optional<QString> displayName;
};

// The options of create and config. False, with the reason, for an unknown keyword, a keyword
// without its value, or a value the keyword does not take.
bool parseServiceOptions(const QStringList &arguments, ServiceOptions &options, QString *error);

// Applies the options to a service. Returns 0, or the Windows error code when the combination
// cannot be set (ERROR_INVALID_PARAMETER for boot and system start of a Win32 service, interact
// with a driver, an empty program path, and the like).
int applyServiceOptions(const ServiceOptions &options, platform::SimulatedService &service);

struct FailureOptions
{
    std::optional<std::uint32_t> resetPeriodSeconds;
    std::optional<QList<platform::SimulatedFailureAction>> actions;
    std::optional<QString> command;
    std::optional<QString> rebootMessage;
};

// reset= (seconds or INFINITE), actions= (action/delay pairs joined by "/", the actions run,
// restart, reboot, none or empty), command= and reboot=. reset= and actions= only together.
bool parseFailureOptions(const QStringList &arguments, FailureOptions &options, QString *error);

// The SID type for none, unrestricted or restricted.
std::optional<std::uint32_t> sidTypeValue(const QString &word);

// Whether Windows knows a privilege of this name.
bool isKnownPrivilege(const QString &name);

// A "/"-joined list as the tool takes it for depend= and privs, without empty entries.
QStringList splitList(const QString &value);

} // namespace standin
