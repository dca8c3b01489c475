#pragma once

#include "ServiceInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

// A record with every field set to a value that is easy to get wrong: blanks and quotes in the
// program line, a group dependency, a run-command action, text beyond ASCII.
ServiceInfo everyFieldRecord();

// The every-field record under this name, as the system can hold it after an install.
ServiceInfo serviceWithEveryField(const QString &name);

// An imported record with the fields the tables show.
ServiceInfo importedService(const QString &name, const QString &displayName = QString(),
                            const QString &startType = QStringLiteral("Manual"),
                            const QString &account = QStringLiteral("LocalSystem"),
                            const QString &binaryPath = QStringLiteral("C:\\svc.exe"),
                            const QString &description = QString());

QStringList serviceNames(const QList<ServiceInfo> &services);
