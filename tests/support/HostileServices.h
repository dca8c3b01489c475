#pragma once

#include "ServiceInfo.h"

#include <QList>
#include <QStringList>

struct ServiceCommand;

// Records whose every text tries to break out of its place in a batch line: quotes, & | < > ^,
// percent signs (environment references, script arguments, lone ones), exclamation marks,
// trailing backslashes, quoted paths with arguments, line breaks.
// Payloads that escape would create files named injected-*.txt in the current directory.
namespace HostileServices {

// Besides the hostile ones, a record whose description makes a line of exactly as many
// characters as cmd.exe reads.
QList<ServiceInfo> records();

// Records with a line break or another control character where a blank in its place would
// name another service, program or account: the batch writer must leave them out.
QList<ServiceInfo> leftOutRecords();

// A record whose description makes a line longer than cmd.exe reads, with a payload past the
// limit: the batch writer must refuse it.
ServiceInfo overLongRecord();

// What the tool receives from a batch line of the command: the program name, then the command's
// arguments, except that a batch line cannot carry a line break or other control character,
// which the writer turns into a blank where that is acceptable (a description, a display name,
// a reboot message).
QStringList expectedCall(const ServiceCommand &command);

} // namespace HostileServices
