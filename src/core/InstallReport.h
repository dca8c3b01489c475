#pragma once

#include "ServiceInstaller.h"

#include <QString>
#include <QStringList>

// The texts with which the import dialog reports an installation.
namespace InstallReport {

// Why a run of a tool did not succeed, on one line.
QString runDetail(const ToolRun &run);

// The error lines of one record: its failure, whether the previous service was restored, and
// each failed follow-up step. Empty when everything worked.
QStringList errorLines(const QString &serviceName, const ServiceInstaller::Result &result,
                       const ServiceInstaller::Timeouts &timeouts);

// The closing message: the count, that the installation was cancelled before the services of
// notTouched (none when it was not), the error lines, and where the replaced services were saved.
QString summary(int installed, int total, const QStringList &errorLines, const QString &backupPath,
                const QStringList &notTouched = {});

} // namespace InstallReport
