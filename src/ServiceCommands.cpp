#include "ServiceCommands.h"

#include <limits>

namespace {

CommandArgument bare(const QString &text)
{
    return {text, false};
}

CommandArgument quoted(const QString &text)
{
    return {text, true};
}

ServiceCommand scCommand(ServiceCommand::Step step, std::initializer_list<CommandArgument> args)
{
    return {step, QStringLiteral("sc"), QList<CommandArgument>(args)};
}

QString actionText(const ServiceInfo &service)
{
    const FailureAction *const actions[] = {&service.firstFailure, &service.secondFailure,
                                            &service.subsequentFailure};
    QStringList parts;
    for (const FailureAction *action : actions) {
        parts.append(ServiceCommands::failureActionKeyword(action->type));
        parts.append(QString::number(action->delayMs));
    }
    return parts.join(u'/');
}

} // namespace

QStringList ServiceCommand::argumentTexts() const
{
    QStringList texts;
    texts.reserve(arguments.size());
    for (const CommandArgument &argument : arguments)
        texts.append(argument.text);
    return texts;
}

QString ServiceCommand::stepName() const
{
    switch (step) {
    case Step::Query:
        return QStringLiteral("query");
    case Step::Stop:
        return QStringLiteral("stop");
    case Step::Delete:
        return QStringLiteral("delete");
    case Step::Create:
        return QStringLiteral("create");
    case Step::Description:
        return QStringLiteral("description");
    case Step::DelayedStart:
        return QStringLiteral("config");
    case Step::Failure:
        return QStringLiteral("failure");
    case Step::SidType:
        return QStringLiteral("sidtype");
    case Step::PreShutdown:
        return QStringLiteral("preshutdown");
    case Step::Privileges:
        return QStringLiteral("privs");
    }
    return QString();
}

namespace ServiceCommands {

QString startKeyword(const QString &startType)
{
    if (startType == u"Auto" || startType == u"DelayedAuto")
        return QStringLiteral("auto");
    if (startType == u"Disabled")
        return QStringLiteral("disabled");
    if (startType == u"Boot")
        return QStringLiteral("boot");
    if (startType == u"System")
        return QStringLiteral("system");
    return QStringLiteral("demand");
}

QString typeKeyword(const QString &serviceType)
{
    if (serviceType == u"Share")
        return QStringLiteral("share");
    if (serviceType == u"Kernel")
        return QStringLiteral("kernel");
    if (serviceType == u"FileSystem")
        return QStringLiteral("filesys");
    return QStringLiteral("own");
}

QString errorKeyword(const QString &errorControl)
{
    if (errorControl == u"Ignore")
        return QStringLiteral("ignore");
    if (errorControl == u"Severe")
        return QStringLiteral("severe");
    if (errorControl == u"Critical")
        return QStringLiteral("critical");
    return QStringLiteral("normal");
}

QString failureActionKeyword(const QString &actionType)
{
    // `sc failure` knows run, restart and reboot; "run_command" written as it stands would make
    // the tool reject the whole line.
    return actionType == u"run_command" ? QStringLiteral("run") : actionType;
}

bool isFailureActionSet(const FailureAction &action)
{
    return !action.type.isEmpty() && action.type != u"none";
}

QString resetSeconds(int failureResetDays)
{
    // The tool takes a 32-bit unsigned period; longer periods than it can hold mean "never
    // reset", which is what INFINITE (0xFFFFFFFF) says.
    const qint64 seconds = qint64(failureResetDays) * 86400;
    if (seconds <= 0)
        return QStringLiteral("0");
    return QString::number(qMin<qint64>(seconds, std::numeric_limits<quint32>::max()));
}

ServiceCommand query(const QString &serviceName)
{
    return scCommand(ServiceCommand::Step::Query,
                     {bare(QStringLiteral("query")), quoted(serviceName)});
}

ServiceCommand stop(const QString &serviceName)
{
    return scCommand(ServiceCommand::Step::Stop,
                     {bare(QStringLiteral("stop")), quoted(serviceName)});
}

ServiceCommand remove(const QString &serviceName)
{
    return scCommand(ServiceCommand::Step::Delete,
                     {bare(QStringLiteral("delete")), quoted(serviceName)});
}

ServiceCommand create(const ServiceInfo &service)
{
    ServiceCommand command =
        scCommand(ServiceCommand::Step::Create,
                  {bare(QStringLiteral("create")), quoted(service.serviceName),
                   bare(QStringLiteral("binPath=")), quoted(service.binaryPath),
                   bare(QStringLiteral("start=")), bare(startKeyword(service.startType)),
                   bare(QStringLiteral("type=")), bare(typeKeyword(service.serviceType)),
                   bare(QStringLiteral("error=")), bare(errorKeyword(service.errorControl))});

    auto option = [&command](const QString &keyword, const QString &value) {
        if (!value.isEmpty())
            command.arguments << bare(keyword) << quoted(value);
    };
    option(QStringLiteral("obj="), service.accountName);
    option(QStringLiteral("DisplayName="), service.displayName);
    option(QStringLiteral("depend="), service.dependencies.join(u'/'));
    option(QStringLiteral("group="), service.loadOrderGroup);
    return command;
}

QList<ServiceCommand> followUps(const ServiceInfo &service)
{
    using Step = ServiceCommand::Step;
    const QString &name = service.serviceName;
    QList<ServiceCommand> commands;

    if (!service.description.isEmpty()) {
        commands.append(scCommand(Step::Description, {bare(QStringLiteral("description")),
                                                      quoted(name), quoted(service.description)}));
    }
    if (service.startType == u"DelayedAuto") {
        commands.append(scCommand(Step::DelayedStart, {bare(QStringLiteral("config")), quoted(name),
                                                       bare(QStringLiteral("start=")),
                                                       bare(QStringLiteral("delayed-auto"))}));
    }
    if (isFailureActionSet(service.firstFailure) || isFailureActionSet(service.secondFailure)
        || isFailureActionSet(service.subsequentFailure)) {
        ServiceCommand failure =
            scCommand(Step::Failure,
                      {bare(QStringLiteral("failure")), quoted(name),
                       bare(QStringLiteral("reset=")), bare(resetSeconds(service.failureResetDays)),
                       bare(QStringLiteral("actions=")), bare(actionText(service))});
        if (!service.failureCommand.isEmpty()) {
            QString commandLine = service.failureCommand;
            if (!service.failureCommandParams.isEmpty())
                commandLine += u' ' + service.failureCommandParams;
            failure.arguments << bare(QStringLiteral("command=")) << quoted(commandLine);
        }
        if (!service.failureRebootMessage.isEmpty()) {
            failure.arguments << bare(QStringLiteral("reboot="))
                              << quoted(service.failureRebootMessage);
        }
        commands.append(failure);
    }
    if (!service.sidType.isEmpty() && service.sidType != u"None") {
        commands.append(scCommand(Step::SidType, {bare(QStringLiteral("sidtype")), quoted(name),
                                                  bare(service.sidType.toLower())}));
    }
    if (service.preShutdownTimeout > 0) {
        // Windows' sc has no pre-shutdown command; the time-out lives in the service's key.
        commands.append(
            {Step::PreShutdown,
             QStringLiteral("reg"),
             {bare(QStringLiteral("add")),
              quoted(QStringLiteral("HKLM\\SYSTEM\\CurrentControlSet\\Services\\") + name),
              bare(QStringLiteral("/v")), bare(QStringLiteral("PreshutdownTimeout")),
              bare(QStringLiteral("/t")), bare(QStringLiteral("REG_DWORD")),
              bare(QStringLiteral("/d")), bare(QString::number(service.preShutdownTimeout)),
              bare(QStringLiteral("/f"))}});
    }
    if (!service.requiredPrivileges.isEmpty()) {
        commands.append(scCommand(Step::Privileges, {bare(QStringLiteral("privs")), quoted(name),
                                                     bare(service.requiredPrivileges.join(u'/'))}));
    }
    return commands;
}

QList<ServiceCommand> install(const ServiceInfo &service)
{
    return QList<ServiceCommand>{create(service)} + followUps(service);
}

} // namespace ServiceCommands
