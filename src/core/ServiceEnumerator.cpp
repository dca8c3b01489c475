#include "ServiceEnumerator.h"

#include "ValueWords.h"
#include "platform/ServiceControlManager.h"

#include <algorithm>
#include <limits>

namespace {

QString text(const std::u16string &value)
{
    return QString::fromStdU16String(value);
}

QStringList texts(const std::vector<std::u16string> &values)
{
    QStringList list;
    list.reserve(qsizetype(values.size()));
    for (const auto &value : values)
        list.append(text(value));
    return list;
}

// Windows holds delays and time-outs as unsigned 32-bit numbers. The largest of them do not fit
// the record's int; cast, they would turn negative and be dropped or refused when written back.
int clampedToInt(std::uint32_t value)
{
    return int(std::min<std::uint32_t>(value, std::numeric_limits<int>::max()));
}

FailureAction parseAction(const platform::RawFailureAction &action)
{
    return {ValueWords::failureAction(action.type), clampedToInt(action.delayMs)};
}

void readFailureActions(const platform::RawFailureActions &raw, ServiceInfo &info)
{
    info.failureResetDays = ValueWords::failureResetDays(raw.resetPeriodSeconds);
    info.failureRebootMessage = text(raw.rebootMessage);

    // The command line is split at its first blank without regard to quotes; a leading blank
    // keeps the whole text as the command.
    const QString command = text(raw.command);
    const qsizetype blank = command.indexOf(u' ');
    if (blank > 0) {
        info.failureCommand = command.left(blank);
        info.failureCommandParams = command.mid(blank + 1);
    } else {
        info.failureCommand = command;
    }

    FailureAction *const targets[] = {&info.firstFailure, &info.secondFailure,
                                      &info.subsequentFailure};
    for (std::size_t i = 0; i < raw.actions.size() && i < 3; ++i)
        *targets[i] = parseAction(raw.actions[i]);
}

ServiceInfo readService(platform::ServiceControlManager &manager, platform::ServiceHandle service,
                        const platform::RawServiceEntry &entry)
{
    using platform::ConfigLevel;

    ServiceInfo info;
    info.serviceName = text(entry.serviceName);
    info.displayName = text(entry.displayName);

    platform::RawServiceConfig config;
    if (!manager.queryConfig(service, config))
        return info;

    info.binaryPath = text(config.binaryPath);
    info.serviceType = ValueWords::serviceType(config.serviceType);
    info.errorControl = ValueWords::errorControl(config.errorControl);
    info.accountName = text(config.serviceStartName);
    info.loadOrderGroup = text(config.loadOrderGroup);
    info.dependencies = texts(config.dependencies);

    // Each level stands on its own: one that fails leaves only its own fields at their defaults.
    platform::RawOptionalConfig optional;
    const bool delayed =
        manager.queryOptionalConfig(service, ConfigLevel::DelayedAutoStart, optional)
        && optional.delayedAutoStart;
    info.startType = ValueWords::startType(config.startType, delayed);

    optional = {};
    if (manager.queryOptionalConfig(service, ConfigLevel::Description, optional))
        info.description = text(optional.description);

    optional = {};
    if (manager.queryOptionalConfig(service, ConfigLevel::FailureActions, optional))
        readFailureActions(optional.failureActions, info);

    optional = {};
    if (manager.queryOptionalConfig(service, ConfigLevel::ServiceSidInfo, optional))
        info.sidType = ValueWords::sidType(optional.serviceSidType);

    optional = {};
    if (manager.queryOptionalConfig(service, ConfigLevel::PreshutdownInfo, optional))
        info.preShutdownTimeout = clampedToInt(optional.preshutdownTimeoutMs);

    optional = {};
    if (manager.queryOptionalConfig(service, ConfigLevel::RequiredPrivileges, optional))
        info.requiredPrivileges = texts(optional.requiredPrivileges);

    optional = {};
    if (manager.queryOptionalConfig(service, ConfigLevel::LaunchProtected, optional))
        info.launchProtected = ValueWords::launchProtected(optional.launchProtected);

    return info;
}

} // namespace

QList<ServiceInfo> ServiceEnumerator::enumerate()
{
    const auto manager = platform::createServiceControlManager();
    return manager ? enumerate(*manager) : QList<ServiceInfo>();
}

QList<ServiceInfo> ServiceEnumerator::enumerate(platform::ServiceControlManager &manager)
{
    QList<ServiceInfo> result;
    if (!manager.open())
        return result;

    std::vector<platform::RawServiceEntry> entries;
    if (!manager.enumerateWin32Services(entries) || entries.empty()) {
        manager.close();
        return result;
    }

    result.reserve(qsizetype(entries.size()));
    for (const auto &entry : entries) {
        const platform::ServiceHandle service = manager.openService(entry.serviceName);
        if (!service)
            continue;
        result.append(readService(manager, service, entry));
        manager.closeService(service);
    }
    manager.close();
    return result;
}
