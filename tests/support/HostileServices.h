#pragma once

#include "ServiceInfo.h"

#include <QList>
#include <QStringList>

struct ServiceCommand;

// Records whose every text tries to break out of its place in a batch line: quotes, & | < > ^,
// environment references, trailing backslashes, quoted paths with arguments, line breaks.
// Payloads that escape would create files named injected-*.txt in the current directory.
namespace HostileServices {

QList<ServiceInfo> records();

// What the tool receives from a batch line of the command: the program name, then the command's
// arguments, except that a batch line cannot carry a line break or other control character,
// which the writer turns into a blank.
QStringList expectedCall(const ServiceCommand &command);

// A batch file expands environment references; the records use only %SystemRoot%.
QString expandedByCmd(const QString &text, const QString &systemRoot);

} // namespace HostileServices
