#pragma once

#include "ServiceInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

// The commands that create and configure one service: the one list that the batch script
// writes and the installation runs.

// One argument of a command and how a batch line writes it: a keyword of the tool as it is, a
// value between double quotes, or a value bare where that is safe (quoted otherwise).
struct CommandArgument
{
    enum class Form { Keyword, Bare, Quoted };

    QString text;
    Form form = Form::Quoted;
};

struct ServiceCommand
{
    enum class Step {
        Query,
        Stop,
        Delete,
        Create,
        Description,
        DelayedStart,
        Failure,
        SidType,
        PreShutdown,
        Privileges,
        Start
    };

    Step step = Step::Create;
    QString program; // bare tool name: "sc" or "reg"
    QList<CommandArgument> arguments;

    // The arguments as the tool receives them.
    QStringList argumentTexts() const;
    // A short name of the step for reports ("create", "description", "failure", ...).
    QString stepName() const;
};

namespace ServiceCommands {

// Keywords of the `sc` tool for the record's words; texts outside a table take its fallback.
QString startKeyword(const QString &startType);
QString typeKeyword(const QString &serviceType);
QString errorKeyword(const QString &errorControl);
// The recovery action as `sc failure` spells it ("run_command" is "run").
QString failureActionKeyword(const QString &actionType);

// A recovery action is set when its type is neither empty nor "none".
bool isFailureActionSet(const FailureAction &action);
// The reset period in seconds for "reset=", clamped to what the tool accepts.
QString resetSeconds(int failureResetDays);

ServiceCommand query(const QString &serviceName);
ServiceCommand start(const QString &serviceName);
ServiceCommand stop(const QString &serviceName);
ServiceCommand remove(const QString &serviceName);
ServiceCommand create(const ServiceInfo &service);
// Description, delayed start, recovery, SID type, pre-shutdown time-out and privileges, in this
// order, each only where the record asks for it.
QList<ServiceCommand> followUps(const ServiceInfo &service);
// create() followed by followUps().
QList<ServiceCommand> install(const ServiceInfo &service);

} // namespace ServiceCommands
