#pragma once

#include <QString>

struct ServiceInfo;

// How Windows treats service names: the Service Control Manager takes names that differ only in
// letter case for the same service, and refuses some names outright.
namespace ServiceName {

// True when Windows takes both names for the same service.
bool same(const QString &a, const QString &b);
// Equal for names that Windows takes for the same service: the key for sets and hashes.
QString key(const QString &name);

// The longest service name Windows accepts, in characters.
constexpr int MaximumLength = 256;

enum class Problem { None, Empty, ContainsNul, ContainsSlash, TooLong };

// Why Windows would not accept this as a service name, or Problem::None.
Problem problem(const QString &name);
// The reason as a phrase that completes "The record ... ", for example "has no service name".
QString describe(Problem problem);
// A record named by its 1-based position in its file and its display name, for messages about
// records whose service name cannot be used.
QString recordLabel(int position, const ServiceInfo &service);

} // namespace ServiceName
