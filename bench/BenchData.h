#pragma once

#include "ServiceInfo.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The data the benchmark works on, made from the sample machine that ships with the program, so
// that the records look like those of a real server.
namespace BenchData {

// The sample machine's database file as it ships.
QByteArray sampleDatabase();

// A simulated service database of count services: the sample's entries over and over, copy c
// naming its services "<sample name>_<c, five digits>".
QByteArray repeatedDatabase(int count);

// A text that matches at most ten services of repeatedDatabase(), in the service table: the first
// listed sample service's name with the first four digits of its copy number.
QString fewRowsFilter(const QList<ServiceInfo> &sample);

// count records made from the sample services: the first copy under the sample's own names (so
// some match installed services), then "<name>_<index, six digits>"; descriptions of about 200
// characters, quoted program paths with arguments, dependencies and recovery actions.
QList<ServiceInfo> records(const QList<ServiceInfo> &sample, int count);

// The text that only the record at index of records() matches, for an index past the first copy.
QString oneRecordFilter(int index);

} // namespace BenchData
