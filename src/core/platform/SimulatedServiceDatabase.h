#pragma once

#include "platform/SimulatedService.h"

#include <QList>
#include <QString>

#include <functional>

namespace platform {

// The file that stands in for the Service Control Manager's database off Windows. The program,
// the stand-in sc and reg, and tests all work on the same file; every access holds a lock file
// beside it, and writes replace the file atomically.
//
// Run state depends on time: a service whose stop was requested counts as stopped once its stop
// time has passed, and a service marked for deletion is gone once it has stopped. This is worked
// out whenever the file is read, so no process has to be running for it. A service that another
// program holds open stays, marked, until it is released.
class SimulatedServiceDatabase
{
public:
    // The database this machine's programs share: the file named by LEDGERWELL_SCM_DB, else
    // Quorvantel/Ledgerwell/scm-database.json in the user's generic data folder, which is
    // created from the sample shipped with the program on first use.
    static SimulatedServiceDatabase shared();
    static QString sharedPath();

    // A database at path. A missing file holds no services, unless createFromSample is set,
    // in which case the sample is written there when it is first used.
    explicit SimulatedServiceDatabase(const QString &path, bool createFromSample = false);

    QString path() const { return m_path; }

    // Every service as it stands now. False, with the reason, when the file cannot be read or
    // is damaged.
    bool read(QList<SimulatedService> &services, QString *error = nullptr) const;

    // Reads the services as read() does, lets change edit them, and writes them back, all under
    // one lock. When change returns false nothing is written. False, with the reason, only when
    // the file cannot be read or written.
    bool update(const std::function<bool(QList<SimulatedService> &)> &change,
                QString *error = nullptr);

    // Brings the run states up to nowMs: finished stops, and services marked for deletion removed
    // once they have stopped and nothing holds them open.
    static void settle(QList<SimulatedService> &services, qint64 nowMs);
    static qint64 currentTimeMs();

    // The index of the service with this name, compared without regard to case as Windows
    // compares service names; -1 when there is none.
    static qsizetype indexOf(const QList<SimulatedService> &services, const QString &name);

private:
    bool load(QList<SimulatedService> &services, QJsonObject &topLevel, QString *error) const;

    QString m_path;
    bool m_createFromSample = false;
};

} // namespace platform
