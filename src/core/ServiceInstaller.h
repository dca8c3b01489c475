#pragma once

#include "ServiceCommands.h"
#include "ServiceInfo.h"

#include <QHash>
#include <QList>
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
// stopped, deleted and created anew; a failed create puts the saved service back.
//
// One installer serves one installation: findExisting(), backUpExisting() when anything exists,
// then install() for each record. Every wait is bounded; while waiting the idle callback runs
// so that a progress window stays painted.
class ServiceInstaller
{
public:
    struct Timeouts
    {
        int queryMs = 5000;   // one existence or state query
        int changeMs = 10000; // stop, delete, create and each follow-up step
        int stopWaitMs = 30000;
        int removalWaitMs = 30000;
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
            NotSaved, // exists, but no saved copy: left alone
            StopTimedOut,
            DeleteFailed,
            RemovalTimedOut,
            CreateFailed
        };
        enum class Restore { NotNeeded, Restored, Failed };

        Status status = Status::Installed;
        ToolRun failedRun; // the failed delete or create
        QList<FailedStep> failedFollowUps;
        Restore restore = Restore::NotNeeded;
        FailedStep failedRestoreStep; // for Restore::Failed
    };

    ServiceInstaller();

    void setTimeouts(const Timeouts &timeouts);
    const Timeouts &timeouts() const { return m_timeouts; }
    void setIdleCallback(std::function<void()> idle);

    // Asks the tool which of the services exist. False when the tool could not answer at all
    // (not started, timed out, crashed); failedRun then says why and nothing is known.
    bool findExisting(const QList<ServiceInfo> &services, ToolRun *failedRun = nullptr);
    // Names of the services that exist, each once, in the order of the records.
    QStringList existingNames() const;

    // A new file name for a backup: under the application data folder, with date and time.
    static QString newBackupPath();
    // Reads the existing services afresh from the system and writes them as a JSON service file.
    // False, with nothing written, when the configuration of one of them cannot be read (named
    // in unreadable) or the file cannot be written (error).
    bool backUpExisting(const QString &path, QStringList *unreadable, QString *error);

    // Replaces (when it exists) or creates the service. A service of the same name that this
    // installer already replaced or created is not replaced again.
    Result install(const ServiceInfo &service);

    // The state number (SERVICE_STOPPED is 1) in the output of `sc query`, or -1.
    static int stateNumber(const QString &queryOutput);

    // Runs one command and waits at most timeoutMs for it.
    ToolRun run(const ServiceCommand &command, int timeoutMs) const;

private:
    enum class State { Stopped, NotStopped, Gone, Unknown };

    State queryState(const QString &serviceName) const;
    bool waitFor(const QString &serviceName, State wanted, int limitMs) const;
    void pause(int ms) const;
    // Create, then the follow-ups. False when the create failed (in *failedCreate); the failed
    // follow-ups go to failedFollowUps.
    bool createWithFollowUps(const ServiceInfo &service, FailedStep *failedCreate,
                             QList<FailedStep> *failedFollowUps) const;

    Timeouts m_timeouts;
    std::function<void()> m_idle;
    QStringList m_existing;
    QHash<QString, ServiceInfo> m_saved;
};
