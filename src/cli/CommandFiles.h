#pragma once

#include "ServiceInfo.h"

#include <QByteArray>
#include <QCommandLineOption>
#include <QList>
#include <QString>

#include <optional>

// The files of the commands: JSON service files read, results written to a file or to standard
// output. Failures are reported on standard error with the window's texts.
namespace CommandFiles {

enum class Empty { Allowed, Refused };

// The records of the JSON service file; nothing, after telling why, when it cannot be read (or
// holds no services and that is refused).
std::optional<QList<ServiceInfo>> read(const QString &path, Empty empty);

// Writes the result to the file, replacing it only once all is written, or to standard output
// when path is empty or "-". The exit code.
int write(const QByteArray &result, const QString &path);

// The option that names the file for write(): -o FILE, --output FILE.
QCommandLineOption outputOption();

} // namespace CommandFiles
