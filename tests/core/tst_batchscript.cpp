#include "BatchScript.h"
#include "CommandLineModel.h"
#include "HostileServices.h"
#include "Ledgerwell.h"
#include "ServiceCommands.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ServiceInfo)

namespace {

const QByteArray header =
    "@echo off\r\nchcp 65001 >nul\r\nREM Ledgerwell - Generated batch file\r\n"
    "REM Run as Administrator!\r\n\r\n";
const QByteArray footer = "echo Done.\r\npause\r\n";

ServiceInfo named(const QString &name, const QString &path)
{
    ServiceInfo s;
    s.serviceName = name;
    s.binaryPath = path;
    return s;
}

} // namespace

class tst_BatchScript final : public QObject
{
    Q_OBJECT

private slots:
    void emptyList();
    void blocks_data();
    void blocks();
    void hostileValues_data();
    void hostileValues();
    void hostileRecords_data();
    void hostileRecords();
    void resetPeriodLimits();

private:
    QByteArray script(const QList<ServiceInfo> &services);
    QTemporaryDir m_dir;
};

QByteArray tst_BatchScript::script(const QList<ServiceInfo> &services)
{
    const QString path = m_dir.filePath("out.bat");
    QString error;
    if (!Ledgerwell::exportToBatch(path, services, &error))
        qFatal("exportToBatch failed: %s", qPrintable(error));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read the script back");
    return file.readAll();
}

void tst_BatchScript::emptyList()
{
    QCOMPARE(script({}), header + footer);
}

void tst_BatchScript::blocks_data()
{
    QTest::addColumn<ServiceInfo>("service");
    QTest::addColumn<QByteArray>("block");

    QTest::newRow("name and path only")
        << named("Svc", "C:\\svc.exe")
        << QByteArray("sc create \"Svc\" binPath= \"C:\\svc.exe\" start= demand type= own "
                      "error= normal\r\n\r\n");

    ServiceInfo full = named("App", "C:\\App\\app.exe");
    full.startType = "DelayedAuto";
    full.serviceType = "Share";
    full.errorControl = "Critical";
    full.accountName = "LocalSystem";
    full.displayName = "App für alle";
    full.dependencies = {"RPCSS", "+Net"};
    full.loadOrderGroup = "Net";
    full.description = "Keeps the app";
    full.firstFailure = {"none", 0};
    full.secondFailure = {"restart", 60000};
    full.subsequentFailure = {"", 0};
    full.failureResetDays = 1;
    full.failureCommand = "C:\\fix.exe";
    full.failureCommandParams = "-a -b";
    full.failureRebootMessage = "Bye";
    full.sidType = "Restricted";
    full.preShutdownTimeout = 180000;
    full.requiredPrivileges = {"SeChangeNotifyPrivilege", "SeImpersonatePrivilege"};
    full.launchProtected = "Windows";
    QTest::newRow("every line")
        << full
        << QString("sc create \"App\" binPath= \"C:\\App\\app.exe\" start= auto type= share "
                   "error= critical obj= \"LocalSystem\" DisplayName= \"App für alle\" "
                   "depend= \"RPCSS/+Net\" group= \"Net\"\r\n"
                   "sc description \"App\" \"Keeps the app\"\r\n"
                   "sc config \"App\" start= delayed-auto\r\n"
                   "sc failure \"App\" reset= 86400 actions= none/0/restart/60000//0 "
                   "command= \"C:\\fix.exe -a -b\" reboot= \"Bye\"\r\n"
                   "sc sidtype \"App\" restricted\r\n"
                   "reg add \"HKLM\\SYSTEM\\CurrentControlSet\\Services\\App\" /v "
                   "PreshutdownTimeout /t REG_DWORD /d 180000 /f\r\n"
                   "sc privs \"App\" SeChangeNotifyPrivilege/SeImpersonatePrivilege\r\n\r\n")
               .toUtf8();

    ServiceInfo quiet = named("Quiet", "q.exe");
    quiet.startType = "Auto";
    quiet.firstFailure = quiet.secondFailure = quiet.subsequentFailure = {"none", 0};
    quiet.failureCommand = "x.exe";
    quiet.failureRebootMessage = "msg";
    quiet.sidType = "None";
    quiet.preShutdownTimeout = -5;
    quiet.failureCommandParams = "ignored";
    QTest::newRow("nothing to set after create")
        << quiet
        << QByteArray("sc create \"Quiet\" binPath= \"q.exe\" start= auto type= own "
                      "error= normal\r\n\r\n");

    ServiceInfo paramsOnly = named("P", "p.exe");
    paramsOnly.firstFailure = {"run_command", 1000};
    paramsOnly.failureCommandParams = "dropped";
    paramsOnly.sidType = "Unrestricted";
    paramsOnly.description = "say \"hi\"";
    paramsOnly.displayName = "Quote\"d";
    QTest::newRow("run_command, parameters without command, quotes")
        << paramsOnly
        << QByteArray("sc create \"P\" binPath= \"p.exe\" start= demand type= own error= normal "
                      "DisplayName= \"Quote\\\"d\"\r\n"
                      "sc description \"P\" \"say \\\"hi\\\"\"\r\n"
                      "sc failure \"P\" reset= 0 actions= run/1000//0//0\r\n"
                      "sc sidtype \"P\" unrestricted\r\n\r\n");

    QTest::newRow("placeholder text in values")
        << named("%2%1", "%1 %2")
        << QByteArray("sc create \"%2%1\" binPath= \"%1 %2\" start= demand type= own "
                      "error= normal\r\n\r\n");
}

void tst_BatchScript::blocks()
{
    QFETCH(ServiceInfo, service);
    QFETCH(QByteArray, block);
    QCOMPARE(script({service}), header + block + footer);
    QCOMPARE(script({service, service}), header + block + block + footer);
}

void tst_BatchScript::hostileValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("quoted path with arguments") << R"("C:\Program Files\App\app.exe" -service)";
    QTest::newRow("quote then ampersand") << R"(x" & calc & ")";
    QTest::newRow("pipe and redirection") << R"(a|b<c>d)";
    QTest::newRow("quoted pipe") << R"(a "|" b)";
    QTest::newRow("carets") << R"(^^x^)";
    QTest::newRow("percent") << R"(%SystemRoot%\x 100%)";
    QTest::newRow("trailing backslash") << R"(C:\dir\)";
    QTest::newRow("trailing backslashes") << R"(C:\dir\\\)";
    QTest::newRow("backslash before quote") << R"(a\"b\\"c)";
    QTest::newRow("line break") << "first\r\nsc delete Spooler";
    QTest::newRow("tab and bell") << "a\tb\x07"
                                     "c";
    QTest::newRow("only a quote") << R"(")";
    QTest::newRow("odd quotes then operators") << R"(""" & ^ | x)";
    QTest::newRow("blank") << " ";
    QTest::newRow("non-ASCII") << "Dienst für Prüfung ☃";
}

void tst_BatchScript::hostileValues()
{
    QFETCH(QString, value);

    // The value in every field that reaches a command, bare slots included.
    ServiceInfo s;
    s.serviceName = value;
    s.binaryPath = value;
    s.displayName = value;
    s.description = value;
    s.accountName = value;
    s.loadOrderGroup = value;
    s.dependencies = {value, value};
    s.startType = "DelayedAuto";
    s.firstFailure = {"restart", 1};
    s.secondFailure = {value, 2};
    s.failureCommand = value;
    s.failureCommandParams = value;
    s.failureRebootMessage = value;
    s.sidType = value;
    s.preShutdownTimeout = 1;
    s.requiredPrivileges = {value, "SeX"};

    const QList<ServiceCommand> commands = ServiceCommands::install(s);
    QCOMPARE(commands.size(), 7);
    for (const ServiceCommand &command : commands) {
        const QString line = BatchScript::commandLine(command);
        const auto arguments = CommandLineModel::argumentsOf(line);
        QVERIFY2(arguments, qPrintable("cmd.exe would not run one command: " + line));
        QCOMPARE(*arguments, HostileServices::expectedCall(command));
    }

    // The written file: every line between header and footer is one of these commands.
    const QStringList lines = QString::fromUtf8(script({s})).split("\r\n");
    QCOMPARE(lines.size(), 5 + 7 + 1 + 2 + 1);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(lines.at(5 + i), BatchScript::commandLine(commands.at(i)));
}

// The Wine check's records, so that a machine without Wine still catches a line that would not
// reach the tool as it stands.
void tst_BatchScript::hostileRecords_data()
{
    QTest::addColumn<ServiceInfo>("service");
    for (const ServiceInfo &service : HostileServices::records())
        QTest::newRow(qPrintable(service.serviceName)) << service;
}

void tst_BatchScript::hostileRecords()
{
    QFETCH(ServiceInfo, service);
    const QStringList script = BatchScript::lines({service});
    for (const ServiceCommand &command : ServiceCommands::install(service)) {
        const QString line = BatchScript::commandLine(command);
        QVERIFY2(script.contains(line), qPrintable(line));
        const auto arguments = CommandLineModel::argumentsOf(line);
        QVERIFY2(arguments, qPrintable("cmd.exe would not run exactly this one command: " + line));
        QCOMPARE(*arguments, HostileServices::expectedCall(command));
    }
}

void tst_BatchScript::resetPeriodLimits()
{
    QCOMPARE(ServiceCommands::resetSeconds(0), QString("0"));
    QCOMPARE(ServiceCommands::resetSeconds(1), QString("86400"));
    QCOMPARE(ServiceCommands::resetSeconds(24855), QString("2147472000"));
    // Past what a signed product holds: the exact period while the tool can take it, then never.
    QCOMPARE(ServiceCommands::resetSeconds(30000), QString("2592000000"));
    QCOMPARE(ServiceCommands::resetSeconds(2147483647), QString("4294967295"));
    QCOMPARE(ServiceCommands::resetSeconds(-1), QString("0"));
}

QTEST_GUILESS_MAIN(tst_BatchScript)
#include "tst_batchscript.moc"
