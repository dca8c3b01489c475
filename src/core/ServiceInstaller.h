#pragma once

#include "ServiceCommands.h"
#include "ServiceInfo.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>

// One run of a system tool ("sc", "reg") and what came of it.
struct ToolRun
{
    enum class Outcome { Succeeded, Failed, NotStarted, TimedOut, Crashed };

    Outcome outcome = Outcome::NotStarted;
    QString program;  // the program started
    int exitCode = 0; // for Succeeded and Failed
    int timeoutMs = 0;
    // Standard error, or standard output when that is empty (the real tools report there), or
    // the process's own error for NotStarted; folded onto one line.
    QString message;
    QString output; // the whole standard output, for commands whose answer is read

    bool succeeded() const { return outcome == Outcome::Succeeded; }
};

// Installs imported services on this machine by running the system's tools with the argument
// lists of ServiceCommands. Services that already exist are saved to a backup file first, then
// stopped, deleted and created anew; a failed create puts the saved service back. Service names
// are matched as Windows matches them, without regard to case.
//
// One installer serves one installation: findExisting() (or lookUp() for each record),
// backUpExisting() when anything exists, then install() for each record. Every wait is bounded;
// while waiting the idle callback runs so that a progress window stays painted.
class ServiceInstaller
{
public:
    struct Timeouts
    {
        int queryMs = 5000;   // one existence or state query
        int changeMs = 10000; // stop, delete, create and each follow-up step
        int stopWaitMs = 30000;
        // A deleted service goes as soon as no program holds it open. One still there after a
        // few seconds is held (the Services console, a monitoring agent) and stays until it is
        // released, so the create is tried then and its answer (1072) tells.
        int removalWaitMs = 5000;
        int pollMs = 250;
    };

    struct FailedStep
    {
        QString stepName; // "description", "failure", "preshutdown", ...
        ToolRun run;
    };

    struct Result
    {
        enum class Status {
            Installed,
            // The create did its work but the tool did not finish in time: the service exists,
            // its follow-up steps were not run.
            CreatedWithoutSettings,
            NotSaved,    // exists, but no saved copy: left alone
            StopRefused, // the tool refused the stop at once (failedRun): left alone
            StopTimedOut,
            DeleteFailed,
            // Deleted, but another program holds the service open: Windows only marked it and
            // refuses the create until it is released.
            MarkedForDeletion,
            CreateFailed
        };
        enum class Restore { NotNeeded, Restored, Failed };
        enum class Restart {
            NotNeeded,
            Started,
            Failed,
            // Running before, but not started: its account's password was not restored, so a
            // start could only fail at the logon (and count against the account's lockout).
            AwaitsPassword
        };

        Status status = Status::Installed;
        ToolRun failedRun; // the failed stop, delete or create
        QList<FailedStep> failedFollowUps;
        Restore restore = Restore::NotNeeded;
        FailedStep failedRestoreStep; // for Restore::Failed
        // A restored service that was running before is started again, unless it needs a
        // password.
        Restart restart = Restart::NotNeeded;
        ToolRun failedStart; // for Restart::Failed
        // The account of a restored service whose password could not be restored with it.
        QString accountWithoutPassword;

        // The service now exists as the record describes, or at least was created from it.
        bool created() const
        {
            return status == Status::Installed || status == Status::CreatedWithoutSettings;
        }
    };

    ServiceInstaller();

    void setTimeouts(const Timeouts &timeouts);
    const Timeouts &timeouts() const { return m_timeouts; }
    void setIdleCallback(std::function<void()> idle);

    // Asks the tool which of the services exist. False when the tool could not answer at all
    // (not started, timed out, crashed); failedRun then says why and nothing is known.
    bool findExisting(const QList<ServiceInfo> &services, ToolRun *failedRun = nullptr);
    // Forgets what earlier look-ups found; findExisting() does this first.
    void clearExisting();
    // Asks the tool whether this one service exists and notes it, as findExisting() does for
    // each record. False when the tool could not answer at all.
    bool lookUp(const ServiceInfo &service, ToolRun *failedRun = nullptr);
    // Names of the services that exist, each once, in the order of the records.
    QStringList existingNames() const;

    // The folder of the backups: "backups" under the application data folder.
    static QString backupFolder();
    // A new file name for a backup in folder (the backup folder by default), with date and time.
    static QString newBackupPath(const QString &folder = QString());
    // Reads the existing services afresh from the system, writes them as a JSON service file,
    // and reads that file back. False, with nothing replaced later, when the configuration of
    // one of them cannot be read (named in unreadable), or when the folder or the file cannot be
    // written or the file does not read back as written (error, one line).
    bool backUpExisting(const QString &path, QStringList *unreadable, QString *error);
    // Whether the file at path holds every one of services, field for field. False, with the
    // reason in why, when it cannot be read or a service is missing or differs.
    static bool backupHolds(const QString &path, const QList<ServiceInfo> &services,
                            QString *why = nullptr);

    // Replaces (when it exists) or creates the service. A service of the same name, in any
    // case, that this installer already replaced or created is not replaced again.
    Result install(const ServiceInfo &service);

    // The state number (SERVICE_STOPPED is 1) in the output of `sc query`, or -1.
    static int stateNumber(const QString &queryOutput);

    // Runs one command and waits at most timeoutMs for it.
    ToolRun run(const ServiceCommand &command, int timeoutMs) const;

private:
    enum class State { Stopped, NotStopped, Gone, Unknown };

    State queryState(const QString &serviceName) const;
    bool waitFor(const QString &serviceName, State wanted, int limitMs) const;
    // After a delete: waits until the service is gone, its state cannot be read, or the limit
    // is reached. The create that follows decides what it meant.
    void waitForRemoval(const QString &serviceName) const;
    void pause(int ms) const;
    bool isExisting(const QString &serviceName) const;
    // Create, then the follow-ups. False when the create failed (in *failedCreate); the failed
    // follow-ups go to failedFollowUps.
    bool createWithFollowUps(const ServiceInfo &service, FailedStep *failedCreate,
                             QList<FailedStep> *failedFollowUps) const;
    // Puts the saved service back after a failed create, and starts it when it was running.
    void restore(const ServiceInfo &saved, Result &result) const;

    Timeouts m_timeouts;
    std::function<void()> m_idle;
    QStringList m_existing;
    QSet<QString> m_running;             // keys of the existing services that were not stopped
    QHash<QString, ServiceInfo> m_saved; // by ServiceName::key
};
