#pragma once

#include "ServiceInfo.h"

#include <QList>

namespace platform {
class ServiceControlManager;
}

// Reads the configuration of every installed Win32 service.
class ServiceEnumerator
{
public:
    // All readable Win32 services in the order the Service Control Manager lists them. Never
    // reports an error: a manager that cannot be opened gives an empty list, a service that
    // cannot be opened is left out, and what cannot be read stays at its default.
    static QList<ServiceInfo> enumerate();
    static QList<ServiceInfo> enumerate(platform::ServiceControlManager &manager);
};
