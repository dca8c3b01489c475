#pragma once

#include <QString>

struct ServiceInfo;

// The filter of the service tables and the command line: a text found, without regard to case,
// in the service name, display name, start type, account or binary path. The description is not
// searched; an empty text matches every service.
namespace ServiceFilter {

bool matches(const ServiceInfo &service, const QString &text);

} // namespace ServiceFilter
