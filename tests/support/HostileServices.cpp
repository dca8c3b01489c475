#include "HostileServices.h"

#include "ServiceCommands.h"

namespace HostileServices {

QList<ServiceInfo> records()
{
    ServiceInfo operators;
    operators.serviceName = QStringLiteral("LwHostile&\"Name\"");
    operators.displayName = QStringLiteral("Display \"quoted\" & | < > ^ end");
    operators.binaryPath = QStringLiteral(R"("C:\Program Files\Hostile Dir\svc.exe" --dir )"
                                          R"("C:\Data Dir\\" & type nul >injected-binpath.txt)");
    operators.description = QStringLiteral(
        R"(He said "stop" & echo INJECTED>injected-description.txt ^ | more <x >y \)");
    operators.startType = QStringLiteral("DelayedAuto");
    operators.serviceType = QStringLiteral("Own");
    operators.errorControl = QStringLiteral("Severe");
    operators.accountName = QStringLiteral(".\\svc&user\\");
    operators.dependencies = {QStringLiteral("Dep&One"), QStringLiteral("+Group|Two")};
    operators.loadOrderGroup = QStringLiteral("Group \"<x>\"");
    operators.failureResetDays = 1;
    operators.firstFailure = {QStringLiteral("restart"), 60000};
    operators.secondFailure = {QStringLiteral("run_command"), 1000};
    operators.subsequentFailure = {QStringLiteral("reboot"), 0};
    operators.failureCommand = QStringLiteral(R"("C:\Program Files\fix it.cmd")");
    operators.failureCommandParams =
        QStringLiteral(R"(--why "crash" & type nul >injected-command.txt)");
    operators.failureRebootMessage = QStringLiteral(R"(Rebooting ^now^ & "soon" >nul \)");
    operators.sidType = QStringLiteral("Unrestricted");
    operators.preShutdownTimeout = 60000;
    operators.requiredPrivileges = {QStringLiteral("SeChangeNotifyPrivilege"),
                                    QStringLiteral("Se&Bogus|Privilege")};

    // Every percent sign must reach the tool as it stands: a batch file would otherwise expand
    // it into a variable, an argument of the script or nothing.
    ServiceInfo percent;
    percent.serviceName = QStringLiteral("LwPercent%1%");
    percent.displayName = QStringLiteral("Load 50% to 100% fast");
    percent.binaryPath = QStringLiteral(
        R"(%SystemRoot%\System32\svchost.exe -k "%SystemRoot% & type nul >injected-percent.txt")");
    percent.description = QStringLiteral(R"(%"%"&type nul >x.txt&rem )");
    percent.startType = QStringLiteral("DelayedAuto");
    percent.accountName = QStringLiteral("%USERDOMAIN%\\%USERNAME%");
    percent.dependencies = {QStringLiteral("%~dp0"), QStringLiteral("%*")};
    percent.loadOrderGroup = QStringLiteral("%PATH%");
    percent.failureResetDays = 2;
    percent.firstFailure = {QStringLiteral("run_command"), 5000};
    percent.secondFailure = {QStringLiteral("%1"), 0};
    percent.failureCommand = QStringLiteral(R"(C:\notify.exe)");
    percent.failureCommandParams = QStringLiteral("/fail=%1%");
    percent.failureRebootMessage = QStringLiteral("100% done, %~f0 %%x%% % end");
    percent.sidType = QStringLiteral("%ComSpec%");
    percent.preShutdownTimeout = 1000;
    percent.requiredPrivileges = {QStringLiteral("Se%1Privilege"), QStringLiteral("%*")};

    // With delayed expansion on, !name! would expand and a lone ! vanish.
    ServiceInfo bang;
    bang.serviceName = QStringLiteral("LwBang!");
    bang.displayName = QStringLiteral("Hello! !PATH! world!");
    bang.binaryPath = QStringLiteral(R"("C:\Bang!\svc.exe" -x "!y!" ^!)");
    bang.description = QStringLiteral("!\"! & type nul >injected-bang.txt & rem !");
    bang.accountName = QStringLiteral(".\\bang!");
    bang.loadOrderGroup = QStringLiteral("!ComSpec!");
    bang.firstFailure = {QStringLiteral("restart"), 1000};
    bang.failureRebootMessage = QStringLiteral("Reboot! %!x!%");

    ServiceInfo quotes;
    quotes.serviceName = QStringLiteral("LwQuotes");
    quotes.displayName = QStringLiteral(R"(\" & type nul >injected-backslash.txt & rem \")");
    quotes.description = QStringLiteral(R"("unbalanced & type nul >injected-quote.txt)");
    quotes.binaryPath = QStringLiteral(R"(C:\path with blanks\trailing\)");
    quotes.loadOrderGroup = QStringLiteral("\"");
    quotes.startType = QStringLiteral("Auto");
    quotes.firstFailure = {QStringLiteral("none"), 0};
    quotes.secondFailure = {QStringLiteral("restart"), 120000};
    quotes.failureCommand = QStringLiteral("\"");
    quotes.failureRebootMessage = QStringLiteral("\\\\\"\\");

    // Line breaks only where a blank in their place is written: in texts that people read.
    ServiceInfo lines;
    lines.serviceName = QStringLiteral("LwLines");
    lines.displayName = QStringLiteral("two\nlines");
    lines.description =
        QStringLiteral("first line\r\ntype nul >injected-newline.txt\nthird\tline\x01");
    lines.binaryPath = QStringLiteral("C:\\x.exe");
    lines.firstFailure = {QStringLiteral("restart"), 0};
    lines.failureRebootMessage = QStringLiteral("msg\u2028& type nul >injected-separator.txt");
    lines.sidType = QStringLiteral("Restricted");

    // The longest line cmd.exe reads, counted as written: "50% " takes five characters.
    ServiceInfo longest;
    longest.serviceName = QStringLiteral("LwLongest");
    longest.binaryPath = QStringLiteral("C:\\longest.exe");
    longest.description = QStringLiteral("50% ").repeated(1632) + QStringLiteral("ok");

    return {operators, percent, bang, quotes, lines, longest};
}

QList<ServiceInfo> leftOutRecords()
{
    ServiceInfo name;
    name.serviceName =
        QStringLiteral("LwLeftOut\r\nsc delete Spooler & type nul >injected-name.txt");
    name.binaryPath = QStringLiteral("C:\\leftout.exe");

    ServiceInfo path;
    path.serviceName = QStringLiteral("LwLeftOutPath");
    path.binaryPath = QStringLiteral("C:\\x.exe\r\n& type nul >injected-path-newline.txt");

    ServiceInfo account;
    account.serviceName = QStringLiteral("LwLeftOutAccount");
    account.binaryPath = QStringLiteral("C:\\leftout.exe");
    account.accountName = QStringLiteral(".\\admin\tx");
    account.dependencies = {QStringLiteral("Dep\u2028& type nul >injected-dependency.txt")};
    return {name, path, account};
}

ServiceInfo overLongRecord()
{
    ServiceInfo service;
    service.serviceName = QStringLiteral("LwOverLong");
    service.binaryPath = QStringLiteral("C:\\overlong.exe");
    service.description = QString(8200, u'x') + QStringLiteral("\" & type nul >injected-long.txt");
    return service;
}

QStringList expectedCall(const ServiceCommand &command)
{
    QStringList call = {command.program};
    for (QString argument : command.argumentTexts()) {
        for (QChar &c : argument) {
            if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar::LineSeparator
                || c == QChar::ParagraphSeparator)
                c = u' ';
        }
        call.append(argument);
    }
    return call;
}

} // namespace HostileServices
