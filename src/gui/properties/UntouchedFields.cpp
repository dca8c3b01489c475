#include "properties/UntouchedFields.h"

namespace UntouchedFields {

namespace {

template<typename T>
void keep(T &result, const T &original, const T &shown, const T &edited)
{
    result = edited == shown ? original : edited;
}

} // namespace

ServiceInfo merge(const ServiceInfo &original, const ServiceInfo &shown, const ServiceInfo &edited)
{
    ServiceInfo result = edited;
    QString ServiceInfo::*const texts[] = {
        &ServiceInfo::serviceName,
        &ServiceInfo::displayName,
        &ServiceInfo::description,
        &ServiceInfo::binaryPath,
        &ServiceInfo::startType,
        &ServiceInfo::serviceType,
        &ServiceInfo::errorControl,
        &ServiceInfo::accountName,
        &ServiceInfo::failureCommand,
        &ServiceInfo::failureCommandParams,
        &ServiceInfo::failureRebootMessage,
        &ServiceInfo::loadOrderGroup,
        &ServiceInfo::sidType,
        &ServiceInfo::launchProtected,
    };
    for (QString ServiceInfo::*field : texts)
        keep(result.*field, original.*field, shown.*field, edited.*field);
    keep(result.dependencies, original.dependencies, shown.dependencies, edited.dependencies);
    keep(result.requiredPrivileges, original.requiredPrivileges, shown.requiredPrivileges,
         edited.requiredPrivileges);
    keep(result.preShutdownTimeout, original.preShutdownTimeout, shown.preShutdownTimeout,
         edited.preShutdownTimeout);
    FailureAction ServiceInfo::*const actions[] = {
        &ServiceInfo::firstFailure, &ServiceInfo::secondFailure, &ServiceInfo::subsequentFailure};
    for (FailureAction ServiceInfo::*action : actions) {
        keep((result.*action).type, (original.*action).type, (shown.*action).type,
             (edited.*action).type);
    }
    return result;
}

} // namespace UntouchedFields
