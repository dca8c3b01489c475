#include "ServiceFilter.h"

#include "ServiceInfo.h"

namespace ServiceFilter {

bool matches(const ServiceInfo &service, const QString &text)
{
    if (text.isEmpty())
        return true;
    for (const QString *field : {&service.serviceName, &service.displayName, &service.startType,
                                 &service.accountName, &service.binaryPath}) {
        if (field->contains(text, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

} // namespace ServiceFilter
