#pragma once

#include "ServiceInfo.h"

#include <QList>
#include <QString>

// The readable table of `list`: name, display name, start type, account and binary path, one
// service per line, in columns.
namespace ServiceTableText {

QString table(const QList<ServiceInfo> &services);

// The text with every character that would break a line or a column (line breaks, tabs and
// other control characters) written as an escape such as \n or \x1B, and backslashes left alone.
QString printable(const QString &text);

} // namespace ServiceTableText
