#include "ScOptions.h"

#include "ScMessages.h"
#include "platform/WindowsServiceValues.h"

#include <functional>
#include <limits>

namespace standin {

namespace {

using namespace platform::windows_values;

struct Word
{
    const char *word;
    std::uint32_t value;
};

std::optional<std::uint32_t> lookUp(std::initializer_list<Word> table, const QString &word)
{
    for (const Word &entry : table) {
        if (word.compare(QLatin1StringView(entry.word), Qt::CaseInsensitive) == 0)
            return entry.value;
    }
    return std::nullopt;
}

bool sameWord(const QString &a, const char *b)
{
    return a.compare(QLatin1StringView(b), Qt::CaseInsensitive) == 0;
}

bool fail(QString *error, const QString &why)
{
    if (error)
        *error = why;
    return false;
}

// Walks "keyword= value" pairs; handle returns false (having set the error) for a keyword or
// value it does not take.
bool forEachPair(const QStringList &arguments, QString *error,
                 const std::function<bool(const QString &, const QString &)> &handle)
{
    for (qsizetype i = 0; i < arguments.size(); i += 2) {
        const QString &keyword = arguments.at(i);
        if (!keyword.endsWith(u'='))
            return fail(error, QStringLiteral("%1 is not an option (options are a keyword "
                                              "ending in \"=\", a blank, and the value)")
                                   .arg(keyword));
        if (i + 1 >= arguments.size())
            return fail(error, QStringLiteral("%1 has no value").arg(keyword));
        if (!handle(keyword, arguments.at(i + 1)))
            return false;
    }
    return true;
}

std::optional<std::uint32_t> parseNumber(const QString &text)
{
    bool ok = false;
    const qulonglong number = text.toULongLong(&ok, 10);
    if (!ok || text.startsWith(u'+') || number > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return std::uint32_t(number);
}

bool parseActions(const QString &value, QList<platform::SimulatedFailureAction> &actions,
                  QString *error)
{
    actions.clear();
    if (value.isEmpty())
        return true;
    const QStringList parts = value.split(u'/');
    if (parts.size() % 2 != 0)
        return fail(error,
                    QStringLiteral("actions= takes action/delay pairs, not \"%1\"").arg(value));
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        // An empty action stands for none, as in the real tool's own examples.
        const std::optional<std::uint32_t> type =
            parts.at(i).isEmpty()
                ? std::optional<std::uint32_t>(0)
                : lookUp({{"none", 0}, {"restart", 1}, {"reboot", 2}, {"run", 3}}, parts.at(i));
        if (!type)
            return fail(error, QStringLiteral("%1 is not a failure action (run, restart, reboot "
                                              "or empty)")
                                   .arg(parts.at(i)));
        const std::optional<std::uint32_t> delay = parseNumber(parts.at(i + 1));
        if (!delay)
            return fail(error,
                        QStringLiteral("%1 is not a delay in milliseconds").arg(parts.at(i + 1)));
        actions.append({*type, *delay});
    }
    return true;
}

} // namespace

bool parseServiceOptions(const QStringList &arguments, ServiceOptions &options, QString *error)
{
    auto badValue = [error](const QString &keyword, const QString &value) {
        return fail(error, QStringLiteral("%1 does not take the value \"%2\"").arg(keyword, value));
    };

    return forEachPair(arguments, error, [&](const QString &keyword, const QString &value) {
        if (sameWord(keyword, "type=")) {
            if (sameWord(value, "interact")) {
                options.interactive = true;
                return true;
            }
            options.typeBase = lookUp({{"own", ServiceWin32OwnProcess},
                                       {"share", ServiceWin32ShareProcess},
                                       {"kernel", ServiceKernelDriver},
                                       {"filesys", ServiceFileSystemDriver},
                                       {"rec", ServiceRecognizerDriver},
                                       {"adapt", ServiceAdapter},
                                       {"userown", ServiceUserOwnProcess},
                                       {"usershare", ServiceUserShareProcess}},
                                      value);
            return options.typeBase ? true : badValue(keyword, value);
        }
        if (sameWord(keyword, "start=")) {
            options.delayedAutoStart = sameWord(value, "delayed-auto");
            options.startType = options.delayedAutoStart
                                    ? std::optional<std::uint32_t>(ServiceAutoStart)
                                    : lookUp({{"boot", 0},
                                              {"system", ServiceSystemStart},
                                              {"auto", ServiceAutoStart},
                                              {"demand", 3},
                                              {"disabled", 4}},
                                             value);
            return options.startType ? true : badValue(keyword, value);
        }
        if (sameWord(keyword, "error=")) {
            options.errorControl =
                lookUp({{"ignore", 0}, {"normal", 1}, {"severe", 2}, {"critical", 3}}, value);
            return options.errorControl ? true : badValue(keyword, value);
        }
        if (sameWord(keyword, "binPath="))
            options.binaryPath = value;
        else if (sameWord(keyword, "group="))
            options.loadOrderGroup = value;
        else if (sameWord(keyword, "depend="))
            options.dependencies = splitList(value);
        else if (sameWord(keyword, "obj="))
            options.account = value;
        else if (sameWord(keyword, "DisplayName="))
            options.displayName = value;
        else if (sameWord(keyword, "tag="))
            return sameWord(value, "yes") || sameWord(value, "no") ? true
                                                                   : badValue(keyword, value);
        else if (!sameWord(keyword, "password=")) // taken, and never stored
            return fail(error, QStringLiteral("%1 is not an option of this command").arg(keyword));
        return true;
    });
}

int applyServiceOptions(const ServiceOptions &options, platform::SimulatedService &service)
{
    std::uint32_t type = service.serviceType;
    if (options.typeBase || options.interactive) {
        const std::uint32_t base =
            options.typeBase.value_or(service.serviceType & ~ServiceInteractiveProcess);
        type = base | (options.interactive ? ServiceInteractiveProcess : 0);
    }
    const bool win32 = (type & ServiceWin32) != 0;
    const std::uint32_t start = options.startType.value_or(service.startType);
    const QString account = options.account.value_or(service.account);

    // The combinations CreateService and ChangeServiceConfig refuse.
    if ((type & ServiceInteractiveProcess)
        && (!win32 || (!account.isEmpty() && !sameWord(account, "LocalSystem"))))
        return ErrorInvalidParameter;
    if (win32 && start <= ServiceSystemStart)
        return ErrorInvalidParameter;
    if (options.delayedAutoStart && !win32)
        return ErrorInvalidParameter;
    if (options.binaryPath && options.binaryPath->isEmpty())
        return ErrorInvalidParameter;
    if (options.dependencies && options.dependencies->contains(service.name, Qt::CaseInsensitive))
        return ErrorCircularDependency;

    service.serviceType = type;
    if (options.startType) {
        service.startType = *options.startType;
        service.delayedAutoStart = options.delayedAutoStart;
    }
    if (options.errorControl)
        service.errorControl = *options.errorControl;
    if (options.binaryPath)
        service.binaryPath = *options.binaryPath;
    if (options.loadOrderGroup)
        service.loadOrderGroup = *options.loadOrderGroup;
    if (options.dependencies)
        service.dependencies = *options.dependencies;
    if (options.account)
        service.account = *options.account;
    if (options.displayName)
        service.displayName = *options.displayName;
    return 0;
}

bool parseFailureOptions(const QStringList &arguments, FailureOptions &options, QString *error)
{
    const bool parsed =
        forEachPair(arguments, error, [&](const QString &keyword, const QString &value) {
            if (sameWord(keyword, "reset=")) {
                options.resetPeriodSeconds = sameWord(value, "INFINITE")
                                                 ? std::numeric_limits<std::uint32_t>::max()
                                                 : parseNumber(value);
                return options.resetPeriodSeconds
                           ? true
                           : fail(error, QStringLiteral("reset= takes seconds or INFINITE, not "
                                                        "\"%1\"")
                                             .arg(value));
            }
            if (sameWord(keyword, "actions=")) {
                options.actions.emplace();
                return parseActions(value, *options.actions, error);
            }
            if (sameWord(keyword, "command="))
                options.command = value;
            else if (sameWord(keyword, "reboot="))
                options.rebootMessage = value;
            else
                return fail(error,
                            QStringLiteral("%1 is not an option of this command").arg(keyword));
            return true;
        });
    if (!parsed)
        return false;
    if (options.resetPeriodSeconds.has_value() != options.actions.has_value())
        return fail(error, QStringLiteral("reset= and actions= must be given together"));
    if (arguments.isEmpty())
        return fail(error, QStringLiteral("no failure options given"));
    return true;
}

std::optional<std::uint32_t> sidTypeValue(const QString &word)
{
    return lookUp({{"none", 0}, {"unrestricted", 1}, {"restricted", 3}}, word);
}

bool isKnownPrivilege(const QString &name)
{
    static const char *const privileges[] = {
        "SeAssignPrimaryTokenPrivilege",
        "SeAuditPrivilege",
        "SeBackupPrivilege",
        "SeChangeNotifyPrivilege",
        "SeCreateGlobalPrivilege",
        "SeCreatePagefilePrivilege",
        "SeCreatePermanentPrivilege",
        "SeCreateSymbolicLinkPrivilege",
        "SeCreateTokenPrivilege",
        "SeDebugPrivilege",
        "SeDelegateSessionUserImpersonatePrivilege",
        "SeEnableDelegationPrivilege",
        "SeImpersonatePrivilege",
        "SeIncreaseBasePriorityPrivilege",
        "SeIncreaseQuotaPrivilege",
        "SeIncreaseWorkingSetPrivilege",
        "SeLoadDriverPrivilege",
        "SeLockMemoryPrivilege",
        "SeMachineAccountPrivilege",
        "SeManageVolumePrivilege",
        "SeProfileSingleProcessPrivilege",
        "SeRelabelPrivilege",
        "SeRemoteShutdownPrivilege",
        "SeRestorePrivilege",
        "SeSecurityPrivilege",
        "SeShutdownPrivilege",
        "SeSyncAgentPrivilege",
        "SeSystemEnvironmentPrivilege",
        "SeSystemProfilePrivilege",
        "SeSystemtimePrivilege",
        "SeTakeOwnershipPrivilege",
        "SeTcbPrivilege",
        "SeTimeZonePrivilege",
        "SeTrustedCredManAccessPrivilege",
        "SeUndockPrivilege",
        "SeUnsolicitedInputPrivilege",
    };
    for (const char *privilege : privileges) {
        if (sameWord(name, privilege))
            return true;
    }
    return false;
}

QStringList splitList(const QString &value)
{
    return value.split(u'/', Qt::SkipEmptyParts);
}

} // namespace standin
