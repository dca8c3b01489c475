#include "StandInSc.h"

#include "ScMessages.h"
#include "ScOptions.h"
#include "platform/SimulatedServiceDatabase.h"

#include <QTextStream>

#include <functional>

namespace standin {

namespace {

using platform::SimulatedService;
using platform::SimulatedServiceDatabase;
using Services = QList<SimulatedService>;

// What one run works with; messages are collected and written once the database has been
// written, so that a failed write is never preceded by a success message.
struct Session
{
    SimulatedServiceDatabase &database;
    QTextStream &out;
    QTextStream &err;
    QString message;
};

int reportFailure(Session &session, const QString &function, int code)
{
    session.message += failed(function, code);
    return code;
}

int syntaxError(Session &session, const QString &subcommand, const QString &reason)
{
    if (!reason.isEmpty())
        session.out << "ERROR:  " << reason << "\n\n";
    session.out << usage(subcommand);
    return ErrorInvalidCommandLine;
}

int databaseFailure(Session &session, const QString &reason)
{
    session.out << failed(QStringLiteral("OpenSCManager"), ErrorDatabaseDoesNotExist);
    session.err << reason << '\n';
    return ErrorDatabaseDoesNotExist;
}

// The index of the named service, or -1 after reporting why it cannot be opened.
qsizetype openService(Session &session, const Services &services, const QString &name,
                      const QString &function, int &code)
{
    const qsizetype index = SimulatedServiceDatabase::indexOf(services, name);
    if (index < 0)
        code = reportFailure(session, function, ErrorServiceDoesNotExist);
    else if (services.at(index).cannotOpen)
        code = reportFailure(session, function, ErrorAccessDenied);
    else
        return index;
    return -1;
}

// Runs change on the database under its lock; the database is written when change returns 0.
int modify(Session &session, const std::function<int(Services &)> &change)
{
    int code = 0;
    QString error;
    const bool usable = session.database.update(
        [&](Services &services) {
            code = change(services);
            return code == 0;
        },
        &error);
    if (!usable)
        return databaseFailure(session, error);
    session.out << session.message;
    return code;
}

// Runs change on the named service under the database's lock, once it could be opened.
int modifyService(Session &session, const QString &name,
                  const std::function<int(SimulatedService &, Services &)> &change)
{
    return modify(session, [&](Services &services) {
        int code = 0;
        const qsizetype index =
            openService(session, services, name, QStringLiteral("OpenService"), code);
        return index < 0 ? code : change(services[index], services);
    });
}

// Changes one service's configuration, which Windows refuses once it is marked for deletion.
int configure(Session &session, const QString &name, const QString &function,
              const std::function<int(SimulatedService &, const Services &)> &change)
{
    return modify(session, [&](Services &services) {
        int code = 0;
        const qsizetype index =
            openService(session, services, name, QStringLiteral("OpenService"), code);
        if (index < 0)
            return code;
        if (services.at(index).markedForDeletion)
            return reportFailure(session, function, ErrorServiceMarkedForDelete);
        code = change(services[index], services);
        if (code != 0)
            return reportFailure(session, function, code);
        session.message += succeeded(function);
        return 0;
    });
}

// A display name must differ from every other service's key name and display name.
bool nameInUse(const Services &services, const SimulatedService &service)
{
    for (const SimulatedService &other : services) {
        if (&other == &service || other.name.compare(service.name, Qt::CaseInsensitive) == 0)
            continue;
        const QString otherDisplay = other.displayName.isEmpty() ? other.name : other.displayName;
        if (service.displayName.compare(other.name, Qt::CaseInsensitive) == 0
            || service.displayName.compare(otherDisplay, Qt::CaseInsensitive) == 0
            || service.name.compare(otherDisplay, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

int query(Session &session, const QStringList &arguments)
{
    if (arguments.size() > 2)
        return syntaxError(session, arguments.first(),
                           QStringLiteral("query takes one service name"));
    Services services;
    QString error;
    if (!session.database.read(services, &error))
        return databaseFailure(session, error);

    if (arguments.size() == 1) {
        // Without a name: every active Win32 service, as the real tool lists them.
        for (const SimulatedService &service : std::as_const(services)) {
            if (platform::isWin32Service(service)
                && service.state != SimulatedService::State::Stopped)
                session.out << statusBlock(service);
        }
        return 0;
    }

    int code = 0;
    const qsizetype index =
        openService(session, services, arguments.at(1),
                    QStringLiteral("EnumQueryServicesStatus:OpenService"), code);
    session.out << (index < 0 ? session.message : statusBlock(services.at(index)));
    return code;
}

// Whether a service that has not stopped depends on this one.
bool hasActiveDependents(const Services &services, const SimulatedService &service)
{
    for (const SimulatedService &other : services) {
        if (other.state == SimulatedService::State::Stopped)
            continue;
        for (const QString &dependency : other.dependencies) {
            if (dependency.compare(service.name, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

int start(Session &session, const QStringList &arguments)
{
    if (arguments.size() < 2)
        return syntaxError(session, arguments.first(), QString());
    const QString function = QStringLiteral("StartService");
    return modifyService(session, arguments.at(1), [&](SimulatedService &service, Services &) {
        if (service.markedForDeletion)
            return reportFailure(session, function, ErrorServiceMarkedForDelete);
        if (service.startType == 4) // SERVICE_DISABLED
            return reportFailure(session, function, ErrorServiceDisabled);
        if (service.state != SimulatedService::State::Stopped)
            return reportFailure(session, function, ErrorServiceAlreadyRunning);
        service.state = SimulatedService::State::Running;
        session.message += statusBlock(service);
        return 0;
    });
}

int stop(Session &session, const QStringList &arguments)
{
    if (arguments.size() != 2)
        return syntaxError(session, arguments.first(), QString());
    return modifyService(
        session, arguments.at(1), [&](SimulatedService &service, Services &services) {
            if (service.state == SimulatedService::State::Stopped)
                return reportFailure(session, QStringLiteral("ControlService"),
                                     ErrorServiceNotActive);
            if (service.state == SimulatedService::State::StopPending)
                return reportFailure(session, QStringLiteral("ControlService"),
                                     ErrorServiceCannotAcceptControl);
            // Refused at once, as the service manager does before it sends anything.
            if (hasActiveDependents(services, service))
                return reportFailure(session, QStringLiteral("ControlService"),
                                     ErrorDependentServicesRunning);
            if (service.notStoppable)
                return reportFailure(session, QStringLiteral("ControlService"),
                                     ErrorInvalidServiceControl);

            // The request returns at once; the service takes its stop time to get there.
            service.state = SimulatedService::State::StopPending;
            service.stopRequestedAtMs = SimulatedServiceDatabase::currentTimeMs();
            SimulatedService reported = service;
            if (service.stopTimeMs == 0)
                reported.state = SimulatedService::State::Stopped;
            session.message += statusBlock(reported);
            SimulatedServiceDatabase::settle(services, SimulatedServiceDatabase::currentTimeMs());
            return 0;
        });
}

int remove(Session &session, const QStringList &arguments)
{
    if (arguments.size() != 2)
        return syntaxError(session, arguments.first(), QString());
    return modifyService(
        session, arguments.at(1), [&](SimulatedService &service, Services &services) {
            if (service.markedForDeletion)
                return reportFailure(session, QStringLiteral("DeleteService"),
                                     ErrorServiceMarkedForDelete);
            // A service that has not stopped, or that another program holds open, is only marked;
            // it goes once it has stopped and been released.
            service.markedForDeletion = true;
            SimulatedServiceDatabase::settle(services, SimulatedServiceDatabase::currentTimeMs());
            session.message += succeeded(QStringLiteral("DeleteService"));
            return 0;
        });
}

bool isValidServiceName(const QString &name)
{
    return !name.isEmpty() && name.size() <= 256 && !name.contains(u'/') && !name.contains(u'\\');
}

int create(Session &session, const QStringList &arguments)
{
    if (arguments.size() < 2)
        return syntaxError(session, arguments.first(), QString());
    const QString name = arguments.at(1);
    ServiceOptions options;
    QString error;
    if (!parseServiceOptions(arguments.mid(2), options, &error))
        return syntaxError(session, arguments.first(), error);
    if (!options.binaryPath)
        return syntaxError(session, arguments.first(), QStringLiteral("binPath= is required"));

    const QString function = QStringLiteral("CreateService");
    return modify(session, [&](Services &services) {
        if (!isValidServiceName(name))
            return reportFailure(session, function, ErrorInvalidName);
        const qsizetype existing = SimulatedServiceDatabase::indexOf(services, name);
        if (existing >= 0) {
            return reportFailure(session, function,
                                 services.at(existing).markedForDeletion
                                     ? ErrorServiceMarkedForDelete
                                     : ErrorServiceExists);
        }

        SimulatedService service;
        service.name = name;
        service.serviceType = 0x10; // the real tool's defaults: own process, demand, normal
        service.startType = 3;
        service.errorControl = 1;
        if (const int code = applyServiceOptions(options, service))
            return reportFailure(session, function, code);
        if (service.displayName.isEmpty())
            service.displayName = name;
        if (service.account.isEmpty() && platform::isWin32Service(service))
            service.account = QStringLiteral("LocalSystem");
        if (nameInUse(services, service))
            return reportFailure(session, function, ErrorDuplicateServiceName);

        services.append(service);
        session.message += succeeded(function);
        return 0;
    });
}

int config(Session &session, const QStringList &arguments)
{
    ServiceOptions options;
    QString error;
    if (arguments.size() < 4)
        return syntaxError(session, arguments.first(), QString());
    if (!parseServiceOptions(arguments.mid(2), options, &error))
        return syntaxError(session, arguments.first(), error);

    return configure(session, arguments.at(1), QStringLiteral("ChangeServiceConfig"),
                     [&](SimulatedService &service, const Services &services) {
                         SimulatedService changed = service;
                         if (const int code = applyServiceOptions(options, changed))
                             return code;
                         if (options.displayName && nameInUse(services, changed))
                             return int(ErrorDuplicateServiceName);
                         service = changed;
                         return 0;
                     });
}

int description(Session &session, const QStringList &arguments)
{
    if (arguments.size() != 3)
        return syntaxError(session, arguments.first(), QString());
    return configure(session, arguments.at(1), QStringLiteral("ChangeServiceConfig2"),
                     [&](SimulatedService &service, const Services &) {
                         service.description = arguments.at(2);
                         return 0;
                     });
}

int failure(Session &session, const QStringList &arguments)
{
    FailureOptions options;
    QString error;
    if (arguments.size() < 3)
        return syntaxError(session, arguments.first(), QString());
    if (!parseFailureOptions(arguments.mid(2), options, &error))
        return syntaxError(session, arguments.first(), error);

    return configure(session, arguments.at(1), QStringLiteral("ChangeServiceConfig2"),
                     [&](SimulatedService &service, const Services &) {
                         if (options.resetPeriodSeconds)
                             service.resetPeriodSeconds = *options.resetPeriodSeconds;
                         if (options.actions)
                             service.actions = *options.actions;
                         if (options.command)
                             service.command = *options.command;
                         if (options.rebootMessage)
                             service.rebootMessage = *options.rebootMessage;
                         return 0;
                     });
}

int sidType(Session &session, const QStringList &arguments)
{
    if (arguments.size() != 3)
        return syntaxError(session, arguments.first(), QString());
    const std::optional<std::uint32_t> type = sidTypeValue(arguments.at(2));
    if (!type) {
        return syntaxError(session, arguments.first(),
                           QStringLiteral("%1 is not a SID type").arg(arguments.at(2)));
    }
    return configure(session, arguments.at(1), QStringLiteral("ChangeServiceConfig2"),
                     [&](SimulatedService &service, const Services &) {
                         service.sidType = *type;
                         return 0;
                     });
}

int privileges(Session &session, const QStringList &arguments)
{
    if (arguments.size() != 3)
        return syntaxError(session, arguments.first(), QString());
    const QStringList privileges = splitList(arguments.at(2));
    return configure(session, arguments.at(1), QStringLiteral("ChangeServiceConfig2"),
                     [&](SimulatedService &service, const Services &) {
                         for (const QString &privilege : privileges) {
                             if (!isKnownPrivilege(privilege))
                                 return int(ErrorNoSuchPrivilege);
                         }
                         service.requiredPrivileges = privileges;
                         return 0;
                     });
}

} // namespace

int runSc(const QStringList &arguments, platform::SimulatedServiceDatabase &database,
          QTextStream &out, QTextStream &err)
{
    Session session{database, out, err, QString()};
    const QString command = arguments.value(0).toLower();
    int code = 0;
    if (command == u"query")
        code = query(session, arguments);
    else if (command == u"start")
        code = start(session, arguments);
    else if (command == u"stop")
        code = stop(session, arguments);
    else if (command == u"delete")
        code = remove(session, arguments);
    else if (command == u"create")
        code = create(session, arguments);
    else if (command == u"config")
        code = config(session, arguments);
    else if (command == u"description")
        code = description(session, arguments);
    else if (command == u"failure")
        code = failure(session, arguments);
    else if (command == u"sidtype")
        code = sidType(session, arguments);
    else if (command == u"privs")
        code = privileges(session, arguments);
    else
        code = syntaxError(session, QString(),
                           command.isEmpty() ? QString() : QStringLiteral("Unrecognized command"));
    out.flush();
    err.flush();
    return code;
}

} // namespace standin
