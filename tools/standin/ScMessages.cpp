#include "ScMessages.h"

namespace standin {

namespace {

const char *const OptionNote = "NOTE: The option name includes the equal sign.\n"
                               "      A space is required between the equal sign and the value.\n";

const char *const ServiceOptionsHelp =
    " type= <own|share|interact|kernel|filesys|rec|userown|usershare>\n"
    " start= <boot|system|auto|demand|disabled|delayed-auto>\n"
    " error= <normal|severe|critical|ignore>\n"
    " binPath= <BinaryPathName to the .exe file>\n"
    " group= <LoadOrderGroup>\n"
    " tag= <yes|no>\n"
    " depend= <Dependencies(separated by / (forward slash))>\n"
    " obj= <AccountName|ObjectName>\n"
    " DisplayName= <display name>\n"
    " password= <password>\n";

QString help(const char *description, const char *usageLine, const char *options = nullptr)
{
    QString text = QStringLiteral("DESCRIPTION:\n        %1\nUSAGE:\n        %2\n")
                       .arg(QLatin1StringView(description), QLatin1StringView(usageLine));
    if (options) {
        text += QStringLiteral("\nOPTIONS:\n") + QLatin1StringView(OptionNote)
                + QLatin1StringView(options);
    }
    return text;
}

QString typeName(std::uint32_t type)
{
    QString name;
    switch (type & ~0x100u) {
    case 0x01:
        name = QStringLiteral("KERNEL_DRIVER");
        break;
    case 0x02:
        name = QStringLiteral("FILE_SYSTEM_DRIVER");
        break;
    case 0x08:
        name = QStringLiteral("RECOGNIZER_DRIVER");
        break;
    case 0x10:
        name = QStringLiteral("WIN32_OWN_PROCESS");
        break;
    case 0x20:
        name = QStringLiteral("WIN32_SHARE_PROCESS");
        break;
    case 0x30:
        name = QStringLiteral("WIN32");
        break;
    case 0x50:
        name = QStringLiteral("USER_OWN_PROCESS");
        break;
    case 0x60:
        name = QStringLiteral("USER_SHARE_PROCESS");
        break;
    default:
        break;
    }
    if (type & 0x100u)
        name += QStringLiteral("  (interactive)");
    return name;
}

} // namespace

QString errorText(int code)
{
    switch (code) {
    case ErrorAccessDenied:
        return QStringLiteral("Access is denied.");
    case ErrorInvalidParameter:
        return QStringLiteral("The parameter is incorrect.");
    case ErrorInvalidName:
        return QStringLiteral("The filename, directory name, or volume label syntax is "
                              "incorrect.");
    case ErrorDependentServicesRunning:
        return QStringLiteral("A stop control has been sent to a service that other running "
                              "services are dependent on.");
    case ErrorInvalidServiceControl:
        return QStringLiteral("The requested control is not valid for this service.");
    case ErrorServiceAlreadyRunning:
        return QStringLiteral("An instance of the service is already running.");
    case ErrorServiceDisabled:
        return QStringLiteral("The service cannot be started, either because it is disabled or "
                              "because it has no enabled devices associated with it.");
    case ErrorCircularDependency:
        return QStringLiteral("Circular service dependency was specified.");
    case ErrorServiceDoesNotExist:
        return QStringLiteral("The specified service does not exist as an installed service.");
    case ErrorServiceCannotAcceptControl:
        return QStringLiteral("The service cannot accept control messages at this time.");
    case ErrorServiceNotActive:
        return QStringLiteral("The service has not been started.");
    case ErrorDatabaseDoesNotExist:
        return QStringLiteral("The database specified does not exist.");
    case ErrorServiceMarkedForDelete:
        return QStringLiteral("The specified service has been marked for deletion.");
    case ErrorServiceExists:
        return QStringLiteral("The specified service already exists.");
    case ErrorDuplicateServiceName:
        return QStringLiteral("The name is already in use as either a service name or a service "
                              "display name.");
    case ErrorNoSuchPrivilege:
        return QStringLiteral("A specified privilege does not exist.");
    case ErrorInvalidCommandLine:
        return QStringLiteral("Invalid command line argument. Consult the Windows Installer SDK "
                              "for detailed command line help.");
    default:
        return QString();
    }
}

QString succeeded(const QString &function)
{
    return QStringLiteral("[SC] %1 SUCCESS\n").arg(function);
}

QString failed(const QString &function, int code)
{
    return QStringLiteral("[SC] %1 FAILED %2:\n\n%3\n\n")
        .arg(function)
        .arg(code)
        .arg(errorText(code));
}

QString statusBlock(const platform::SimulatedService &service)
{
    using State = platform::SimulatedService::State;
    QString state;
    QString controls;
    switch (service.state) {
    case State::Running:
        state = QStringLiteral("4  RUNNING");
        controls = service.notStoppable
                       ? QStringLiteral("(NOT_STOPPABLE, NOT_PAUSABLE, IGNORES_SHUTDOWN)")
                       : QStringLiteral("(STOPPABLE, NOT_PAUSABLE, ACCEPTS_SHUTDOWN)");
        break;
    case State::StopPending:
        state = QStringLiteral("3  STOP_PENDING");
        controls = QStringLiteral("(NOT_STOPPABLE, NOT_PAUSABLE, IGNORES_SHUTDOWN)");
        break;
    case State::Stopped:
        state = QStringLiteral("1  STOPPED");
        controls = QString();
        break;
    }
    const std::uint32_t waitHint = service.state == State::StopPending ? service.stopTimeMs : 0;

    QString block = QStringLiteral("\nSERVICE_NAME: %1 \n").arg(service.name);
    block += QStringLiteral("        TYPE               : %1  %2  \n")
                 .arg(QString::number(service.serviceType, 16), typeName(service.serviceType));
    block += QStringLiteral("        STATE              : %1  \n").arg(state);
    if (!controls.isEmpty())
        block += QStringLiteral("                                %1\n").arg(controls);
    block += QStringLiteral("        WIN32_EXIT_CODE    : 0  (0x0)\n"
                            "        SERVICE_EXIT_CODE  : 0  (0x0)\n"
                            "        CHECKPOINT         : 0x0\n");
    block += QStringLiteral("        WAIT_HINT          : 0x%1\n").arg(waitHint, 0, 16);
    return block;
}

QString usage(const QString &subcommand)
{
    const QString command = subcommand.toLower();
    if (command == u"query")
        return help("Obtains and displays information about the specified service.",
                    "sc <server> query [service name]");
    if (command == u"start")
        return help("Starts a service running.",
                    "sc <server> start [service name] <arg1> <arg2> ...");
    if (command == u"stop")
        return help("Sends a STOP control request to a service.",
                    "sc <server> stop [service name]");
    if (command == u"delete")
        return help("Deletes a service entry from the registry.\n"
                    "        If the service is running, or another process has an open\n"
                    "        handle to the service, the service is simply marked for\n"
                    "        deletion.",
                    "sc <server> delete [service name]");
    if (command == u"create")
        return help("Creates a service entry in the registry and Service Database.",
                    "sc <server> create [service name] [binPath= ] <option1> <option2>...",
                    ServiceOptionsHelp);
    if (command == u"config")
        return help("Modifies a service entry in the registry and Service Database.",
                    "sc <server> config [service name] <option1> <option2>...", ServiceOptionsHelp);
    if (command == u"description")
        return help("Sets the description string for a service.",
                    "sc <server> description [service name] [description]");
    if (command == u"failure")
        return help("Changes the actions upon failure.",
                    "sc <server> failure [service name] <option1> <option2>...",
                    " reset= <Length of period of no failures (in seconds)\n"
                    "         after which to reset the failure count to 0 (may be INFINITE)>\n"
                    "         (Must be used in conjunction with actions= )\n"
                    " reboot= <Message broadcast before rebooting on failure>\n"
                    " command= <Command line to be run on failure>\n"
                    " actions= <Failure actions and their delay time (in milliseconds),\n"
                    "           separated by / (forward slash) -- e.g., run/5000/reboot/800\n"
                    "           Valid actions are <run|restart|reboot> >\n"
                    "           (Must be used in conjunction with the reset= option)\n");
    if (command == u"sidtype")
        return help("Changes a service's SID type.",
                    "sc <server> sidtype [service name] [type]\n\n"
                    "OPTIONS:\n"
                    "        type = none | unrestricted | restricted");
    if (command == u"privs")
        return help("Sets the required privileges for a service.",
                    "sc <server> privs [service name] [privileges]\n\n"
                    "OPTIONS:\n"
                    "        privileges = a list of privileges separated by / (forward "
                    "slash),\n"
                    "                     e.g. SeBackupPrivilege/SeRestorePrivilege");

    return QStringLiteral(
        "DESCRIPTION:\n"
        "        SC is a command line program used for communicating with the\n"
        "        Service Control Manager and services.\n"
        "USAGE:\n"
        "        sc <server> [command] [service name] <option1> <option2>...\n\n"
        "        The option <server> has the form \"\\\\ServerName\"\n"
        "        Further help on commands can be obtained by typing: \"sc [command]\"\n"
        "        Commands:\n"
        "          query-----------Queries the status for a service, or\n"
        "                          enumerates the status for types of services.\n"
        "          start-----------Starts a service.\n"
        "          stop------------Sends a STOP request to a service.\n"
        "          config----------Changes the configuration of a service (persistent).\n"
        "          description-----Changes the description of a service.\n"
        "          failure---------Changes the actions taken by a service upon failure.\n"
        "          sidtype---------Changes the service SID type of a service.\n"
        "          privs-----------Changes the required privileges of a service.\n"
        "          create----------Creates a service. (adds it to the registry).\n"
        "          delete----------Deletes a service (from the registry).\n");
}

int exitStatus(int code)
{
    if (code == 0)
        return 0;
    return (code & 0xff) != 0 ? (code & 0xff) : 1;
}

} // namespace standin
