#include "ServiceCommands.h"

#include <limits>

namespace {

CommandArgument keyword(const QString &text)
{
    return {text, CommandArgument::Form::Keyword};
}

CommandArgument bare(const QString &text)
{
    return {text, CommandArgument::Form::Bare};
}

CommandArgument quoted(const QString &text)
{
    return {text, CommandArgument::Form::Quoted};
}

// Room for the options that follow the fixed arguments, so that a long script is written
// without growing every list.
ServiceCommand scCommand(ServiceCommand::Step step, std::initializer_list<CommandArgument> args,
                         qsizetype options = 0)
{
    ServiceCommand command{step, QStringLiteral("sc"), {}};
    command.arguments.reserve(qsizetype(args.size()) + options);
    command.arguments.append(QList<CommandArgument>(args));
    return command;
}

QString actionText(const ServiceInfo &service)
{
    const FailureAction *const actions[] = {&service.firstFailure, &service.secondFailure,
                                            &service.subsequentFailure};
    QString text;
    text.reserve(48);
    for (const FailureAction *action : actions) {
        if (!text.isEmpty())
            text.append(u'/');
        text.append(ServiceCommands::failureActionKeyword(action->type));
        text.append(u'/');
        text.append(QString::number(action->delayMs));
    }
    return text;
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
    case Step::Start:
        return QStringLiteral("start");
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
                     {keyword(QStringLiteral("query")), quoted(serviceName)});
}

ServiceCommand start(const QString &serviceName)
{
    return scCommand(ServiceCommand::Step::Start,
                     {keyword(QStringLiteral("start")), quoted(serviceName)});
}

ServiceCommand stop(const QString &serviceName)
{
    return scCommand(ServiceCommand::Step::Stop,
                     {keyword(QStringLiteral("stop")), quoted(serviceName)});
}

ServiceCommand remove(const QString &serviceName)
{
    return scCommand(ServiceCommand::Step::Delete,
                     {keyword(QStringLiteral("delete")), quoted(serviceName)});
}

ServiceCommand create(const ServiceInfo &service)
{
    ServiceCommand command =
        scCommand(ServiceCommand::Step::Create,
                  {keyword(QStringLiteral("create")), quoted(service.serviceName),
                   keyword(QStringLiteral("binPath=")), quoted(service.binaryPath),
                   keyword(QStringLiteral("start=")), keyword(startKeyword(service.startType)),
                   keyword(QStringLiteral("type=")), keyword(typeKeyword(service.serviceType)),
                   keyword(QStringLiteral("error=")), keyword(errorKeyword(service.errorControl))},
                  8);

    auto option = [&command](const QString &name, const QString &value) {
        if (!value.isEmpty())
            command.arguments << keyword(name) << quoted(value);
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
    commands.reserve(6);

    if (!service.description.isEmpty()) {
        commands.append(scCommand(Step::Description, {keyword(QStringLiteral("description")),
                                                      quoted(name), quoted(service.description)}));
    }
    if (service.startType == u"DelayedAuto") {
        commands.append(
            scCommand(Step::DelayedStart, {keyword(QStringLiteral("config")), quoted(name),
                                           keyword(QStringLiteral("start=")),
                                           keyword(QStringLiteral("delayed-auto"))}));
    }
    if (isFailureActionSet(service.firstFailure) || isFailureActionSet(service.secondFailure)
        || isFailureActionSet(service.subsequentFailure)) {
        ServiceCommand failure = scCommand(
            Step::Failure,
            {keyword(QStringLiteral("failure")), quoted(name), keyword(QStringLiteral("reset=")),
             bare(resetSeconds(service.failureResetDays)), keyword(QStringLiteral("actions=")),
             bare(actionText(service))},
            4);
        if (!service.failureCommand.isEmpty()) {
            QString commandLine = service.failureCommand;
            if (!service.failureCommandParams.isEmpty())
                commandLine += u' ' + service.failureCommandParams;
            failure.arguments << keyword(QStringLiteral("command=")) << quoted(commandLine);
        }
        if (!service.failureRebootMessage.isEmpty()) {
            failure.arguments << keyword(QStringLiteral("reboot="))
                              << quoted(service.failureRebootMessage);
        }
        commands.append(failure);
    }
    if (!service.sidType.isEmpty() && service.sidType != u"None") {
        commands.append(scCommand(Step::SidType, {keyword(QStringLiteral("sidtype")), quoted(name),
                                                  bare(service.sidType.toLower())}));
    }
    if (service.preShutdownTimeout > 0) {
        // Windows' sc has no pre-shutdown command; the time-out lives in the service's key.
        commands.append(
            {Step::PreShutdown,
             QStringLiteral("reg"),
             {keyword(QStringLiteral("add")),
              quoted(QStringLiteral("HKLM\\SYSTEM\\CurrentControlSet\\Services\\") + name),
              keyword(QStringLiteral("/v")), keyword(QStringLiteral("PreshutdownTimeout")),
              keyword(QStringLiteral("/t")), keyword(QStringLiteral("REG_DWORD")),
              keyword(QStringLiteral("/d")), bare(QString::number(service.preShutdownTimeout)),
              keyword(QStringLiteral("/f"))}});
    }
    if (!service.requiredPrivileges.isEmpty()) {
        commands.append(scCommand(Step::Privileges, {keyword(QStringLiteral("privs")), quoted(name),
                                                     bare(service.requiredPrivileges.join(u'/'))}));
    }
    return commands;
}

QList<ServiceCommand> install(const ServiceInfo &service)
{
    QList<ServiceCommand> commands;
    commands.reserve(7);
    commands.append(create(service));
    commands.append(followUps(service));
    return commands;
}

} // namespace ServiceCommands
