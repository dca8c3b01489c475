#pragma once

#include "ServiceInfo.h"

#include <QByteArrayView>
#include <QList>

#include <optional>

class QJsonArray;

// The records of a JSON service file: defaults for missing keys and wrong types, and the
// alternative recovery keys "failureActions" and "failureResetPeriod".
namespace JsonServiceReader {

// The records of the elements of the file's top-level array; an element that is no object
// gives a record of defaults.
QList<ServiceInfo> fromArray(const QJsonArray &array);

// The same records, read straight from the file's bytes in one pass, without a JSON document
// in between: large files read in a fraction of the time and memory. Gives nullopt when the
// bytes hold anything it leaves to QJsonDocument and fromArray() (any fault of syntax or
// encoding, a top level that is no array, a number with a fraction or an exponent or more than
// 15 digits, a key of the record given twice, UTF-8 beyond plain characters, nesting deeper than
// 64), so that those give exactly the records and the errors they always gave.
std::optional<QList<ServiceInfo>> fromBytes(QByteArrayView json);

} // namespace JsonServiceReader
