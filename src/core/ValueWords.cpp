#include "ValueWords.h"

#include "platform/WindowsServiceValues.h"

namespace ValueWords {

using namespace platform::windows_values;

QString startType(std::uint32_t startType, bool delayedAutoStart)
{
    switch (startType) {
    case ServiceAutoStart:
        return delayedAutoStart ? QStringLiteral("DelayedAuto") : QStringLiteral("Auto");
    case ServiceDemandStart:
        return QStringLiteral("Manual");
    case ServiceDisabled:
        return QStringLiteral("Disabled");
    case ServiceBootStart:
        return QStringLiteral("Boot");
    case ServiceSystemStart:
        return QStringLiteral("System");
    default:
        return QStringLiteral("Unknown");
    }
}

QString serviceType(std::uint32_t typeMask)
{
    // The order of the tests decides for masks with several bits.
    if (typeMask & ServiceWin32OwnProcess)
        return QStringLiteral("Own");
    if (typeMask & ServiceWin32ShareProcess)
        return QStringLiteral("Share");
    if (typeMask & ServiceKernelDriver)
        return QStringLiteral("Kernel");
    if (typeMask & ServiceFileSystemDriver)
        return QStringLiteral("FileSystem");
    return QStringLiteral("Unknown");
}

QString errorControl(std::uint32_t errorControl)
{
    switch (errorControl) {
    case 0:
        return QStringLiteral("Ignore");
    case 1:
        return QStringLiteral("Normal");
    case 2:
        return QStringLiteral("Severe");
    case 3:
        return QStringLiteral("Critical");
    default:
        return QStringLiteral("Unknown");
    }
}

QString sidType(std::uint32_t sidType)
{
    switch (sidType) {
    case 1:
        return QStringLiteral("Unrestricted");
    case 3:
        return QStringLiteral("Restricted");
    default:
        return QStringLiteral("None");
    }
}

QString launchProtected(std::uint32_t launchProtected)
{
    // 2 is SERVICE_LAUNCH_PROTECTED_WINDOWS_LIGHT; the antimalware-light level (3) has no word
    // of its own in the vocabulary and is held as "None" like every other value.
    switch (launchProtected) {
    case 1:
        return QStringLiteral("Windows");
    case 2:
        return QStringLiteral("Antimalware");
    default:
        return QStringLiteral("None");
    }
}

QString failureAction(std::uint32_t actionType)
{
    switch (actionType) {
    case 1:
        return QStringLiteral("restart");
    case 2:
        return QStringLiteral("reboot");
    case 3:
        return QStringLiteral("run_command");
    default:
        return QStringLiteral("none");
    }
}

int failureResetDays(std::uint32_t resetPeriodSeconds)
{
    const auto period = static_cast<std::int32_t>(resetPeriodSeconds);
    return period > 0 ? period / 86400 : 0;
}

} // namespace ValueWords
