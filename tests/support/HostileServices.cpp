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

    // Percent signs are written as they stand so that environment references expand when the
    // script runs; what cmd does with them is left to expandedByCmd().
    ServiceInfo percent;
    percent.serviceName = QStringLiteral("LwPercent");
    percent.displayName = QStringLiteral("Percent & %SystemRoot% service");
    percent.binaryPath = QStringLiteral(
        R"(%SystemRoot%\System32\svchost.exe -k "%SystemRoot% & type nul >injected-percent.txt")");
    percent.description = QStringLiteral("Kept under %SystemRoot%\\ & more");
    percent.accountName = QStringLiteral("NT AUTHORITY\\LocalService");
    percent.startType = QStringLiteral("Manual");

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

    ServiceInfo lines;
    lines.serviceName = QStringLiteral("LwLines");
    lines.displayName = QStringLiteral("two\nlines");
    lines.description =
        QStringLiteral("first line\r\ntype nul >injected-newline.txt\nthird\tline\x01");
    lines.binaryPath = QStringLiteral("C:\\x.exe\r\n& type nul >injected-path-newline.txt");
    lines.firstFailure = {QStringLiteral("restart"), 0};
    lines.failureRebootMessage = QStringLiteral("msg\u2028& type nul >injected-separator.txt");
    lines.sidType = QStringLiteral("Restricted");

    return {operators, percent, quotes, lines};
}

QString expandedByCmd(const QString &text, const QString &systemRoot)
{
    QString expanded = text;
    return expanded.replace(QStringLiteral("%SystemRoot%"), systemRoot);
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
