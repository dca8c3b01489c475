#pragma once

#include <QString>

// The accounts a service can run under, as far as the program must know them.
namespace ServiceAccount {

// False for the accounts Windows runs services under without a password: LocalSystem, Local
// Service, Network Service, virtual accounts (NT SERVICE\...) and managed service accounts
// (ending in $); also for an empty account, which means LocalSystem. Windows keeps the password
// of any other account to itself, so no export or backup can carry it.
bool needsPassword(const QString &account);

} // namespace ServiceAccount
