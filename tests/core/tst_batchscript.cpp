#include "BatchScript.h"
#include "CommandLineModel.h"
#include "HostileServices.h"
#include "Ledgerwell.h"
#include "ServiceCommands.h"
#include "ServiceName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(ServiceInfo)

namespace {

const QByteArray header = "@echo off\r\nchcp 65001 >nul\r\nsetlocal DisableDelayedExpansion\r\n"
                          "REM Ledgerwell - Generated batch file\r\n"
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
    void percentSigns_data();
    void percentSigns();
    void modelRefusesUnsafeLines_data();
    void modelRefusesUnsafeLines();
    void lineLimit_data();
    void lineLimit();
    void longLineRefused_data();
    void longLineRefused();
    void unusableNamesLeftOut();
    void everyNameUnusable();
    void controlCharacters_data();
    void controlCharacters();

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
        << QByteArray("sc create \"%%2%%1\" binPath= \"%%1 %%2\" start= demand type= own "
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
    QTest::newRow("percent turns the quoting") << R"(%"%"&type nul >x.txt&rem )";
    QTest::newRow("lone percent signs") << "Load 50% to 100% fast";
    QTest::newRow("argument reference") << R"(C:\notify.exe /fail=%1%)";
    QTest::newRow("variable") << "%PATH%";
    QTest::newRow("script folder") << "%~dp0";
    QTest::newRow("all arguments") << "%*";
    QTest::newRow("doubled percent") << "%%x%%";
    QTest::newRow("exclamation marks") << "!PATH! bang! ^!";
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

    // The value in every field that reaches a command, bare slots included, and in the name
    // where Windows would take it as one. A control character only goes where a blank in its
    // place is written: in the other fields it leaves the record out.
    const bool control =
        std::any_of(value.cbegin(), value.cend(), [](QChar c) { return c.unicode() < 0x20; });
    const QString naming = control ? QStringLiteral("Plain") : value;
    ServiceInfo s;
    s.serviceName = ServiceName::problem(naming) == ServiceName::Problem::None ? naming : "Svc";
    s.binaryPath = naming;
    s.displayName = value;
    s.description = value;
    s.accountName = naming;
    s.loadOrderGroup = naming;
    s.dependencies = {naming, naming};
    s.startType = "DelayedAuto";
    s.firstFailure = {"restart", 1};
    s.secondFailure = {naming, 2};
    s.failureCommand = naming;
    s.failureCommandParams = naming;
    s.failureRebootMessage = value;
    s.sidType = naming;
    s.preShutdownTimeout = 1;
    s.requiredPrivileges = {naming, "SeX"};

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
    QCOMPARE(lines.size(), 6 + 7 + 1 + 2 + 1);
    for (int i = 0; i < 7; ++i)
        QCOMPARE(lines.at(6 + i), BatchScript::commandLine(commands.at(i)));
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
    const QStringList script =
        QString::fromUtf8(Ledgerwell::batchScript({service}).bytes).split("\r\n");
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

void tst_BatchScript::percentSigns_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QByteArray>("line");
    QTest::newRow("lone signs") << "Load 50% to 100% fast"
                                << QByteArray(R"(sc description "Svc" "Load 50%% to 100%% fast")");
    QTest::newRow("argument") << R"(C:\notify.exe /fail=%1%)"
                              << QByteArray(R"(sc description "Svc" "C:\notify.exe /fail=%%1%%")");
    QTest::newRow("variable") << "%PATH%" << QByteArray(R"(sc description "Svc" "%%PATH%%")");
    // Expanding first would leave the & outside quotes.
    QTest::newRow("turns the quoting")
        << R"(%"%"&type nul >x.txt&rem )"
        << QByteArray(R"(sc description "Svc" "%%\"%%\"&type nul >x.txt&rem ")");
    QTest::newRow("exclamation marks stay")
        << "!PATH! now!" << QByteArray(R"(sc description "Svc" "!PATH! now!")");
}

void tst_BatchScript::percentSigns()
{
    QFETCH(QString, description);
    QFETCH(QByteArray, line);
    ServiceInfo s = named("Svc", "%SystemRoot%\\svc.exe");
    s.description = description;
    QCOMPARE(script({s}),
             header
                 + "sc create \"Svc\" binPath= \"%%SystemRoot%%\\svc.exe\" start= demand "
                   "type= own error= normal\r\n"
                 + line + "\r\n\r\n" + footer);
}

// The lines a writer that keeps percent signs as they stand produces.
void tst_BatchScript::modelRefusesUnsafeLines_data()
{
    QTest::addColumn<QString>("line");
    QTest::newRow("lone sign") << R"(sc description "Svc" "50% fast")";
    QTest::newRow("variable") << R"(sc description "Svc" "%PATH%")";
    QTest::newRow("sign at the end") << R"(sc description "Svc" x%)";
    QTest::newRow("three signs") << R"(sc description "Svc" "%%%")";
}

void tst_BatchScript::modelRefusesUnsafeLines()
{
    QFETCH(QString, line);
    QVERIFY(!CommandLineModel::argumentsOf(line));
}

void tst_BatchScript::lineLimit_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<bool>("written");
    // `sc description "Svc" ""` takes 23 characters of the line.
    QTest::newRow("8191 characters") << QString(8191 - 23, u'x') << true;
    QTest::newRow("8192 characters") << QString(8192 - 23, u'x') << false;
    // Counted as written: each percent sign takes two characters, a quote with its backslash two.
    QTest::newRow("doubled percent signs") << QString(4085, u'%') << false;
    QTest::newRow("escaped quotes") << QString(4085, u'"') << false;
    QTest::newRow("half as many percent signs") << QString(4084, u'%') << true;
    // Counted in the UTF-8 that cmd.exe reads: two, three or four bytes a character.
    QTest::newRow("8191 bytes of two-byte characters") << QString(4084, QChar(0xfc)) << true;
    QTest::newRow("8193 bytes of two-byte characters") << QString(4085, QChar(0xfc)) << false;
    QTest::newRow("8192 bytes of three-byte characters") << QString(2723, QChar(0x2603)) << false;
    QTest::newRow("8191 bytes of three-byte characters")
        << QString(2722, QChar(0x2603)) + "xx" << true;
    QTest::newRow("8195 bytes of four-byte characters")
        << QStringLiteral("\U0001F680").repeated(2043) << false;
}

void tst_BatchScript::lineLimit()
{
    QFETCH(QString, description);
    QFETCH(bool, written);
    ServiceInfo s = named("Svc", "svc.exe");
    s.description = description;
    const BatchScript::Script result = Ledgerwell::batchScript({s});
    QCOMPARE(!result.isRefused(), written);
    QCOMPARE(result.bytes.isEmpty(), !written);
    if (written)
        QCOMPARE(result.bytes.split('\n').at(7).size(), 8191 + 1); // with its CR
}

void tst_BatchScript::longLineRefused_data()
{
    QTest::addColumn<ServiceInfo>("service");
    QTest::addColumn<QString>("message");

    const QString longText(9191, u'x');
    ServiceInfo description = named("Svc", "svc.exe");
    description.description = longText;
    QTest::newRow("description")
        << description
        << "Cannot write the batch script: the description of service Svc makes a line of 9,214 "
           "characters; cmd.exe reads at most 8191.";

    auto refusal = [](const QString &field, const QString &service, const QString &length) {
        return QString("Cannot write the batch script: %1 of service %2 makes a line of %3 "
                       "characters; cmd.exe reads at most 8191.")
            .arg(field, service, length);
    };
    // The create line holds several values; the longest one is named.
    ServiceInfo path = named("Big", "C:\\" + QString(8200, u'p') + ".exe");
    path.displayName = QString(100, u'd');
    QTest::newRow("image path") << path << refusal("the image path", "Big", "8,388");
    ServiceInfo display = named("Big", "svc.exe");
    display.displayName = QString(5000, u'%');
    display.accountName = QString(3000, u'a');
    QTest::newRow("display name") << display << refusal("the display name", "Big", "13,096");
    ServiceInfo dependencies = named("Dep", "svc.exe");
    dependencies.dependencies = QStringList(2000, "Dep&");
    QTest::newRow("dependencies") << dependencies
                                  << refusal("the list of dependencies", "Dep", "10,082");
    ServiceInfo command = named("Cmd", "svc.exe");
    command.firstFailure = {"run_command", 0};
    command.failureCommand = "notify.exe";
    command.failureCommandParams = longText;
    QTest::newRow("recovery command") << command << refusal("the recovery command", "Cmd", "9,260");
    ServiceInfo reboot = named("Rb", "svc.exe");
    reboot.firstFailure = {"reboot", 0};
    reboot.failureRebootMessage = longText;
    QTest::newRow("reboot message") << reboot << refusal("the reboot message", "Rb", "9,250");
    ServiceInfo privileges = named("Pv", "svc.exe");
    privileges.requiredPrivileges = QStringList(1000, "SeBackupPrivilege");
    QTest::newRow("required privileges")
        << privileges << refusal("the list of required privileges", "Pv", "18,013");
    QTest::newRow("payload past the limit")
        << HostileServices::overLongRecord() << refusal("the description", "LwOverLong", "8,264");
    ServiceInfo umlauts = named("Gr\u00fc\u00dfe", "svc.exe");
    umlauts.description = QString(5000, QChar(0xfc));
    // Named by its share of the bytes, not of the characters.
    ServiceInfo snowmen = named("Big", "svc.exe");
    snowmen.displayName = QString(3000, QChar(0x2603));
    snowmen.accountName = QString(4000, u'a');
    QTest::newRow("non-ASCII field named by its bytes")
        << snowmen
        << "Cannot write the batch script: the display name of service Big makes a line of "
           "13,096 bytes in UTF-8; cmd.exe reads at most 8191.";
    QTest::newRow("non-ASCII, in bytes")
        << umlauts
        << "Cannot write the batch script: the description of service Gr\u00fc\u00dfe makes a "
           "line of 10,027 bytes in UTF-8; cmd.exe reads at most 8191.";
}

void tst_BatchScript::longLineRefused()
{
    QFETCH(ServiceInfo, service);
    QFETCH(QString, message);

    // A file already at the path stays as it was, and nothing else is written.
    QTemporaryDir dir;
    const QString path = dir.filePath("services.bat");
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old script\r\n");
    }
    QString error;
    QStringList leftOut{"not cleared"};
    QVERIFY(!Ledgerwell::exportToBatch(path, {named("First", "a.exe"), service}, &error, &leftOut));
    QCOMPARE(error, message);
    QVERIFY(leftOut.isEmpty());
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("old script\r\n"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"services.bat"});
}

void tst_BatchScript::unusableNamesLeftOut()
{
    ServiceInfo nameless = named("", "a.exe");
    nameless.displayName = "Nameless";
    ServiceInfo nul = named(QString("Ac") + QChar(u'\0') + "me", "b.exe");
    nul.displayName = "Acme";
    ServiceInfo slash = named("a/b", "c.exe");
    ServiceInfo tooLong = named(QString(257, u'n'), "d.exe");
    tooLong.displayName = "Long";
    ServiceInfo longest = named(QString(256, u'n'), "e.exe");
    const QList<ServiceInfo> services = {
        named("Keep", "k.exe"), nameless, nul, slash, tooLong, longest};

    // Named by their position in the file, which the caller knows.
    const BatchScript::Script result = Ledgerwell::batchScript(services, {2, 4, 5, 9, 10, 11});
    QVERIFY(!result.isRefused());
    QCOMPARE(result.serviceCount, 2);
    QCOMPARE(result.leftOut, QStringList({R"(record 4 ("Nameless") has no service name)",
                                          R"(record 5 ("Acme") has a service name with a NUL )"
                                          "character",
                                          R"(record 9 (no display name) has a service name with )"
                                          R"("/" or "\")",
                                          R"(record 10 ("Long") has a service name longer than )"
                                          "256 characters"}));
    QCOMPARE(result.bytes, script({named("Keep", "k.exe"), longest}));

    // Without positions: the position in the list.
    QTemporaryDir dir;
    QStringList leftOut;
    QVERIFY(Ledgerwell::exportToBatch(dir.filePath("x.bat"), {nameless, named("Keep", "k.exe")},
                                      nullptr, &leftOut));
    QCOMPARE(leftOut, QStringList{R"(record 1 ("Nameless") has no service name)"});
    QCOMPARE(BatchScript::leftOutNote(leftOut), "Left out of the script:\n"
                                                R"(record 1 ("Nameless") has no service name)");
    QCOMPARE(BatchScript::leftOutNote({}), QString());
}

void tst_BatchScript::everyNameUnusable()
{
    ServiceInfo nameless = named("", "a.exe");
    nameless.displayName = "Nameless";
    const BatchScript::Script result =
        Ledgerwell::batchScript({nameless, named("x\\y", "b.exe")}, {7, 8});
    QVERIFY(result.bytes.isEmpty());
    QCOMPARE(result.refusal, "Cannot write the batch script: every record was left out.\n"
                             R"(record 7 ("Nameless") has no service name)"
                             "\n"
                             R"(record 8 (no display name) has a service name with "/" or "\")");
}

void tst_BatchScript::controlCharacters_data()
{
    QTest::addColumn<ServiceInfo>("service");
    QTest::addColumn<QString>("field"); // empty: written, the character as a blank

    auto row = [](const char *name, const QString &field, auto change) {
        ServiceInfo s = named("Svc", "C:\\svc.exe");
        s.displayName = "Row";
        s.firstFailure = {"run_command", 0};
        s.failureCommand = "notify.exe";
        change(s);
        QTest::newRow(name) << s << field;
    };
    // A blank in its place would make the script name another service, program or account.
    row("service name, line feed", "the service name",
        [](ServiceInfo &s) { s.serviceName = "Svc\nOther"; });
    row("service name, tab", "the service name", [](ServiceInfo &s) { s.serviceName = "A\tB"; });
    row("service name, line separator", "the service name",
        [](ServiceInfo &s) { s.serviceName = "A\u2028B"; });
    row("image path, CR LF", "the image path",
        [](ServiceInfo &s) { s.binaryPath = "C:\\svc.exe\r\n-x"; });
    row("account, control character", "the account name",
        [](ServiceInfo &s) { s.accountName = ".\\svc\x01user"; });
    row("dependency, paragraph separator", "the list of dependencies", [](ServiceInfo &s) {
        s.dependencies = {"RPCSS", "Dep\u2029Two"};
    });
    row("load order group, DEL", "the load order group",
        [](ServiceInfo &s) { s.loadOrderGroup = "Group\x7f"; });
    row("recovery command, tab", "the recovery command",
        [](ServiceInfo &s) { s.failureCommand = "C:\\fix\t.exe"; });
    row("recovery parameters, line feed", "the recovery command",
        [](ServiceInfo &s) { s.failureCommandParams = "-a\n-b"; });
    row("recovery action, bell", "the list of recovery actions", [](ServiceInfo &s) {
        s.secondFailure = {"restart\a", 0};
    });
    row("SID type, tab", "the SID type", [](ServiceInfo &s) { s.sidType = "Restricted\t"; });
    row("privilege, NUL", "the list of required privileges", [](ServiceInfo &s) {
        s.requiredPrivileges = {QString("SeBackup") + QChar(0) + "Privilege"};
    });
    // Texts only people read: the blank is written.
    row("description", "", [](ServiceInfo &s) { s.description = "one\r\ntwo\u2029three\tx"; });
    row("display name", "", [](ServiceInfo &s) { s.displayName = "Row\nTwo"; });
    row("reboot message", "", [](ServiceInfo &s) { s.failureRebootMessage = "Bye\x1b"; });
    // Not written at all: no recovery action is set, so neither is the command.
    row("command of unset actions", "", [](ServiceInfo &s) {
        s.firstFailure = {"none", 0};
        s.failureCommand = "C:\\fix\n.exe";
    });
}

void tst_BatchScript::controlCharacters()
{
    QFETCH(ServiceInfo, service);
    QFETCH(QString, field);

    const ServiceInfo other = named("Other", "C:\\other.exe");
    const BatchScript::Script result = Ledgerwell::batchScript({other, service}, {2, 5});
    QVERIFY(!result.isRefused());
    if (!field.isEmpty()) {
        QCOMPARE(result.leftOut, QStringList(QString("record 5 (\"%1\"): %2 holds a line break or "
                                                     "another control character, which a batch "
                                                     "line cannot carry")
                                                 .arg(service.displayName, field)));
        QCOMPARE(result.serviceCount, 1);
        QCOMPARE(result.bytes, script({other}));
        return;
    }
    QVERIFY(result.leftOut.isEmpty());
    QCOMPARE(result.serviceCount, 2);
    for (const ServiceCommand &command : ServiceCommands::install(service)) {
        const QString line = BatchScript::commandLine(command);
        QVERIFY2(QString::fromUtf8(result.bytes).contains(line + "\r\n"), qPrintable(line));
        const auto arguments = CommandLineModel::argumentsOf(line);
        QVERIFY2(arguments, qPrintable(line));
        QCOMPARE(*arguments, HostileServices::expectedCall(command));
    }
}

QTEST_GUILESS_MAIN(tst_BatchScript)
#include "tst_batchscript.moc"
