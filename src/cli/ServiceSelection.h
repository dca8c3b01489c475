#pragma once

#include "ServiceInfo.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// Which records of a list a command works on, as positions in the list (0-based, in list order),
// so that messages can name a record by where it stands in its file.
namespace ServiceSelection {

QList<int> all(const QList<ServiceInfo> &services);
// The records the window's filter shows for this text.
QList<int> matching(const QList<ServiceInfo> &services, const QString &filter);
// Every record with one of the names, compared without regard to case as Windows does. False,
// with the first name that no record has in *unknown, when a name matches nothing.
bool named(const QList<ServiceInfo> &services, const QStringList &names, QList<int> *positions,
           QString *unknown);

QList<ServiceInfo> records(const QList<ServiceInfo> &services, const QList<int> &positions);

// The records of a JSON service file and the positions of those a command works on.
struct FileRecords
{
    QList<ServiceInfo> services;
    QList<int> positions;
};
// The file's records with the given names, or all of them without names. Nothing, after telling
// why (ending with outcome, such as "nothing was written"), when the file cannot be read, holds
// no services or has no record of one of the names.
std::optional<FileRecords> fromFile(const QString &path, const QStringList &names,
                                    const QString &outcome);

// The options that choose services: --filter TEXT and --service NAME (repeatable).
QCommandLineOption filterOption();
QCommandLineOption serviceOption();

} // namespace ServiceSelection
