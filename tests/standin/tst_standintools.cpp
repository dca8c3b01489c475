#include "ScMessages.h"
#include "ServiceCommands.h"
#include "ServiceEnumerator.h"
#include "ServiceRecords.h"
#include "platform/SimulatedServiceDatabase.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using platform::SimulatedService;
using platform::SimulatedServiceDatabase;

Q_DECLARE_METATYPE(ServiceInfo)

// The stand-in sc and reg, run as the program runs them, on temporary databases.
class tst_StandInTools final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void installCommandsRoundTrip_data();
    void installCommandsRoundTrip();
    void createKeywords_data();
    void createKeywords();
    void failureActions_data();
    void failureActions();
    void refusals_data();
    void refusals();
    void query();
    void stopAndDeleteTiming();
    void deleteWithoutStop();
    void heldOpenServiceIsOnlyMarked();
    void startAndStop_data();
    void startAndStop();
    void reg_data();
    void reg();
    void damagedDatabase();
    void sharedDefaultDatabase();
    void concurrentWriters();

private:
    struct Run
    {
        int exitCode = -1;
        QString out;
        QString err;
    };
    Run run(const QString &tool, const QStringList &arguments,
            const QProcessEnvironment &environment);
    Run sc(const QStringList &arguments) { return run("sc", arguments, m_environment); }
    Run reg(const QStringList &arguments) { return run("reg", arguments, m_environment); }
    void writeDatabase(const QJsonArray &services);
    SimulatedService stored(const QString &name);
    QString databasePath() const { return m_dir->filePath("scm.json"); }

    std::unique_ptr<QTemporaryDir> m_dir;
    QProcessEnvironment m_environment;
};

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int exitOf(int windowsCode)
{
    return standin::exitStatus(windowsCode);
}

ServiceInfo fullRecord()
{
    ServiceInfo info = everyFieldRecord();
    info.serviceName = "Full Svc$1";
    info.launchProtected = "None"; // never written back, so read as Windows' default
    return info;
}

} // namespace

void tst_StandInTools::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_environment = QProcessEnvironment::systemEnvironment();
    m_environment.insert("LEDGERWELL_SCM_DB", databasePath());
    qputenv("LEDGERWELL_SCM_DB", QFile::encodeName(databasePath()));
}

void tst_StandInTools::cleanup()
{
    qunsetenv("LEDGERWELL_SCM_DB");
    m_dir.reset();
}

tst_StandInTools::Run tst_StandInTools::run(const QString &tool, const QStringList &arguments,
                                            const QProcessEnvironment &environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(LEDGERWELL_TOOLS_DIR "/") + tool, arguments);
    Run result;
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitCode = process.exitCode();
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

void tst_StandInTools::writeDatabase(const QJsonArray &services)
{
    QFile file(databasePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QJsonDocument(QJsonObject{{"services", services}}).toJson());
}

SimulatedService tst_StandInTools::stored(const QString &name)
{
    QList<SimulatedService> services;
    SimulatedServiceDatabase(databasePath()).read(services);
    const qsizetype index = SimulatedServiceDatabase::indexOf(services, name);
    return index < 0 ? SimulatedService() : services.at(index);
}

void tst_StandInTools::installCommandsRoundTrip_data()
{
    QTest::addColumn<ServiceInfo>("record");

    QTest::newRow("every option") << fullRecord();

    ServiceInfo shared;
    shared.serviceName = "SharedSvc";
    shared.displayName = "Shared Service";
    shared.binaryPath = "C:\\Windows\\System32\\svchost.exe -k netsvcs -p";
    shared.startType = "Auto";
    shared.serviceType = "Share";
    shared.errorControl = "Ignore";
    shared.accountName = "LocalSystem";
    shared.failureResetDays = 1;
    shared.firstFailure = {"restart", 100};
    shared.secondFailure = {"none", 0};
    shared.subsequentFailure = {"none", 0};
    shared.sidType = "Unrestricted";
    shared.launchProtected = "None";
    QTest::newRow("shared, one action") << shared;

    ServiceInfo minimal;
    minimal.serviceName = "Plain";
    minimal.displayName = "Plain";
    minimal.binaryPath = "C:\\plain.exe";
    minimal.startType = "Disabled";
    minimal.serviceType = "Own";
    minimal.errorControl = "Critical";
    minimal.accountName = "LocalSystem";
    minimal.sidType = "None";
    minimal.launchProtected = "None";
    QTest::newRow("nothing optional") << minimal;
}

void tst_StandInTools::installCommandsRoundTrip()
{
    QFETCH(ServiceInfo, record);
    // Exactly the arguments the installation passes, one by one.
    for (const ServiceCommand &command : ServiceCommands::install(record)) {
        const Run result = run(command.program, command.argumentTexts(), m_environment);
        QVERIFY2(result.exitCode == 0,
                 qPrintable(command.stepName() + ": " + result.out + result.err));
    }

    const QList<ServiceInfo> services = ServiceEnumerator::enumerate();
    QCOMPARE(services.size(), 1);
    const ServiceInfo &read = services.first();
    QCOMPARE(read.description, record.description);
    QCOMPARE(read.binaryPath, record.binaryPath);
    QCOMPARE(read.startType, record.startType);
    QCOMPARE(read.failureCommand, record.failureCommand);
    QCOMPARE(read.dependencies, record.dependencies);
    QCOMPARE(read.preShutdownTimeout, record.preShutdownTimeout);
    QVERIFY(read == record);
}

void tst_StandInTools::createKeywords_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<uint>("serviceType");
    QTest::addColumn<uint>("startType");
    QTest::addColumn<bool>("delayed");
    QTest::addColumn<uint>("errorControl");

    QTest::newRow("defaults") << QStringList() << 0x10u << 3u << false << 1u;
    QTest::newRow("auto") << QStringList{"start=", "auto"} << 0x10u << 2u << false << 1u;
    QTest::newRow("delayed-auto") << QStringList{"start=", "delayed-auto"} << 0x10u << 2u << true
                                  << 1u;
    QTest::newRow("disabled, ignore")
        << QStringList{"start=", "disabled", "error=", "ignore"} << 0x10u << 4u << false << 0u;
    QTest::newRow("share, severe")
        << QStringList{"type=", "share", "error=", "severe"} << 0x20u << 3u << false << 2u;
    QTest::newRow("own, interact")
        << QStringList{"type=", "own", "type=", "interact"} << 0x110u << 3u << false << 1u;
    QTest::newRow("kernel, boot") << QStringList{"type=", "kernel", "start=", "boot"} << 0x01u << 0u
                                  << false << 1u;
    QTest::newRow("filesys, system, critical")
        << QStringList{"type=", "filesys", "start=", "system", "error=", "critical"} << 0x02u << 1u
        << false << 3u;
    QTest::newRow("keywords in any case")
        << QStringList{"START=", "Auto", "Type=", "SHARE"} << 0x20u << 2u << false << 1u;
    QTest::newRow("tag and password taken")
        << QStringList{"tag=", "no", "password=", "secret"} << 0x10u << 3u << false << 1u;
}

void tst_StandInTools::createKeywords()
{
    QFETCH(QStringList, options);
    const Run result = sc(QStringList{"create", "Svc", "binPath=", "C:\\svc.exe"} + options);
    QCOMPARE(result.out, QStringLiteral("[SC] CreateService SUCCESS\n"));
    QCOMPARE(result.exitCode, 0);

    const SimulatedService service = stored("Svc");
    QTEST(uint(service.serviceType), "serviceType");
    QTEST(uint(service.startType), "startType");
    QTEST(service.delayedAutoStart, "delayed");
    QTEST(uint(service.errorControl), "errorControl");
    QCOMPARE(service.binaryPath, QStringLiteral("C:\\svc.exe"));
    QCOMPARE(service.displayName, QStringLiteral("Svc"));
    QCOMPARE(service.state, SimulatedService::State::Stopped);
    QVERIFY(!options.contains("secret") || !readAll(databasePath()).contains("secret"));
}

void tst_StandInTools::failureActions_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<uint>("reset");
    QTest::addColumn<QList<uint>>("actions"); // type, delay, type, delay, ...

    QTest::newRow("documented example")
        << QStringList{"reset=", "3600", "actions=", "run/5000/reboot/800"} << 3600u
        << QList<uint>{3, 5000, 2, 800};
    QTest::newRow("empty and none actions")
        << QStringList{"reset=", "0", "actions=", "restart/60000//0/none/7"} << 0u
        << QList<uint>{1, 60000, 0, 0, 0, 7};
    QTest::newRow("INFINITE, actions cleared")
        << QStringList{"reset=", "INFINITE", "actions=", ""} << 0xFFFFFFFFu << QList<uint>();
    QTest::newRow("command and reboot only")
        << QStringList{"command=", "x.exe", "reboot=", "m"} << 0u << QList<uint>();
}

void tst_StandInTools::failureActions()
{
    QFETCH(QStringList, options);
    QCOMPARE(sc({"create", "Svc", "binPath=", "C:\\svc.exe"}).exitCode, 0);
    const Run result = sc(QStringList{"failure", "Svc"} + options);
    QCOMPARE(result.out, QStringLiteral("[SC] ChangeServiceConfig2 SUCCESS\n"));
    QCOMPARE(result.exitCode, 0);

    const SimulatedService service = stored("Svc");
    QTEST(uint(service.resetPeriodSeconds), "reset");
    QList<uint> actions;
    for (const platform::SimulatedFailureAction &action : service.actions)
        actions << action.type << action.delayMs;
    QTEST(actions, "actions");
    QCOMPARE(service.command, QString(options.contains("command=") ? "x.exe" : ""));
}

void tst_StandInTools::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    const int usage = standin::ErrorInvalidCommandLine;
    const QStringList create{"create", "New", "binPath=", "C:\\new.exe"};
    QTest::newRow("no command") << QStringList() << usage << "USAGE:";
    QTest::newRow("preshutdown is no command")
        << QStringList{"preshutdown", "Existing", "1000"} << usage << "Unrecognized command";
    QTest::newRow("create without binPath")
        << QStringList{"create", "New", "start=", "auto"} << usage << "binPath= is required";
    QTest::newRow("unknown keyword") << create + QStringList{"bogus=", "1"} << usage << "bogus=";
    QTest::newRow("keyword and value joined")
        << create + QStringList{"start=auto"} << usage << "start=auto";
    QTest::newRow("keyword without value")
        << create + QStringList{"start="} << usage << "has no value";
    QTest::newRow("unknown start")
        << create + QStringList{"start=", "sometimes"} << usage << "sometimes";
    QTest::newRow("unknown type") << create + QStringList{"type=", "Own2"} << usage << "Own2";
    QTest::newRow("unknown error") << create + QStringList{"error=", "loud"} << usage << "loud";
    QTest::newRow("boot start of a Win32 service")
        << create + QStringList{"start=", "boot"} << 87 << "[SC] CreateService FAILED 87:";
    QTest::newRow("interactive driver")
        << create + QStringList{"type=", "kernel", "type=", "interact"} << 87
        << "[SC] CreateService FAILED 87:";
    QTest::newRow("interactive, not LocalSystem")
        << create + QStringList{"type=", "interact", "obj=", "NT AUTHORITY\\LocalService"} << 87
        << "[SC] CreateService FAILED 87:";
    QTest::newRow("empty binPath")
        << QStringList{"create", "New", "binPath=", ""} << 87 << "The parameter is incorrect.";
    QTest::newRow("backslash in name")
        << QStringList{"create", "a\\b", "binPath=", "x"} << 123 << "FAILED 123:";
    QTest::newRow("exists") << QStringList{"create", "EXISTING", "binPath=", "x"} << 1073
                            << "[SC] CreateService FAILED 1073:\n\nThe specified service "
                               "already exists.";
    QTest::newRow("display name in use")
        << create + QStringList{"DisplayName=", "Existing Service"} << 1078 << "FAILED 1078:";
    QTest::newRow("name in use as display name")
        << QStringList{"create", "existing service", "binPath=", "x"} << 1078 << "FAILED 1078:";
    QTest::newRow("depends on itself")
        << create + QStringList{"depend=", "RPCSS/new"} << 1059 << "FAILED 1059:";
    QTest::newRow("run_command is no action")
        << QStringList{"failure", "Existing", "reset=", "0", "actions=", "run_command/0"} << usage
        << "run_command";
    QTest::newRow("action without delay")
        << QStringList{"failure", "Existing", "reset=", "0", "actions=", "restart"} << usage
        << "pairs";
    QTest::newRow("delay not a number")
        << QStringList{"failure", "Existing", "reset=", "0", "actions=", "restart/soon"} << usage
        << "soon";
    QTest::newRow("reset without actions")
        << QStringList{"failure", "Existing", "reset=", "60"} << usage << "together";
    QTest::newRow("negative reset")
        << QStringList{"failure", "Existing", "reset=", "-1", "actions=", ""} << usage << "-1";
    QTest::newRow("failure without options")
        << QStringList{"failure", "Existing"} << usage << "USAGE:";
    QTest::newRow("unknown SID type")
        << QStringList{"sidtype", "Existing", "open"} << usage << "open";
    QTest::newRow("unknown privilege")
        << QStringList{"privs", "Existing", "SeBackupPrivilege/SeMagicPrivilege"} << 1313
        << "[SC] ChangeServiceConfig2 FAILED 1313:";
    QTest::newRow("description without text")
        << QStringList{"description", "Existing"} << usage << "USAGE:";
    QTest::newRow("config without options")
        << QStringList{"config", "Existing"} << usage << "USAGE:";
    QTest::newRow("config of an interactive service to another account")
        << QStringList{"config", "Console", "obj=", "NT AUTHORITY\\NetworkService"} << 87
        << "[SC] ChangeServiceConfig FAILED 87:";
    QTest::newRow("config boot start") << QStringList{"config", "Existing", "start=", "system"}
                                       << 87 << "[SC] ChangeServiceConfig FAILED 87:";

    const QString missing = "[SC] OpenService FAILED 1060:\n\nThe specified service does not "
                            "exist as an installed service.";
    QTest::newRow("stop missing") << QStringList{"stop", "Missing"} << 1060 << missing;
    QTest::newRow("delete missing") << QStringList{"delete", "Missing"} << 1060 << missing;
    QTest::newRow("description missing")
        << QStringList{"description", "Missing", "x"} << 1060 << missing;
    QTest::newRow("config missing")
        << QStringList{"config", "Missing", "start=", "delayed-auto"} << 1060 << missing;
    QTest::newRow("failure missing")
        << QStringList{"failure", "Missing", "reset=", "0", "actions=", ""} << 1060 << missing;
    QTest::newRow("sidtype missing")
        << QStringList{"sidtype", "Missing", "none"} << 1060 << missing;
    QTest::newRow("privs missing")
        << QStringList{"privs", "Missing", "SeBackupPrivilege"} << 1060 << missing;
    QTest::newRow("stop stopped") << QStringList{"stop", "Existing"} << 1062
                                  << "[SC] ControlService FAILED 1062:\n\nThe service has not "
                                     "been started.";
    QTest::newRow("cannot be opened")
        << QStringList{"description", "Locked", "x"} << 5 << "[SC] OpenService FAILED 5:";
}

void tst_StandInTools::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, message);
    writeDatabase({QJsonObject{{"name", "Existing"},
                               {"displayName", "Existing Service"},
                               {"serviceType", 16},
                               {"startType", 3}},
                   QJsonObject{{"name", "Console"}, {"serviceType", 0x110}},
                   QJsonObject{{"name", "Locked"},
                               {"serviceType", 16},
                               {"faults", QJsonObject{{"cannotOpen", true}}}}});
    const QByteArray before = readAll(databasePath());

    const Run result = sc(arguments);
    QVERIFY2(result.out.contains(message), qPrintable(result.out));
    QCOMPARE(result.exitCode, exitOf(code));
    if (code == standin::ErrorInvalidCommandLine)
        QVERIFY(result.out.contains("USAGE:"));
    QVERIFY(result.err.isEmpty());
    QCOMPARE(readAll(databasePath()), before);
}

void tst_StandInTools::query()
{
    writeDatabase({QJsonObject{{"name", "Spooler"}, {"serviceType", 0x110}, {"state", "running"}},
                   QJsonObject{{"name", "Idle"}, {"serviceType", 0x20}}});

    Run result = sc({"query", "spooler"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.contains("SERVICE_NAME: Spooler")
                 && result.out.contains("TYPE               : 110  WIN32_OWN_PROCESS  "
                                        "(interactive)")
                 && result.out.contains("STATE              : 4  RUNNING"),
             qPrintable(result.out));

    result = sc({"query", "Idle"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.contains("STATE              : 1  STOPPED"), qPrintable(result.out));

    result = sc({"query", "Missing"});
    QCOMPARE(result.exitCode, exitOf(1060));
    QCOMPARE(result.out, QStringLiteral("[SC] EnumQueryServicesStatus:OpenService FAILED 1060:\n\n"
                                        "The specified service does not exist as an installed "
                                        "service.\n\n"));

    // Without a name: the active services only.
    result = sc({"query"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY(result.out.contains("Spooler") && !result.out.contains("Idle"));
}

void tst_StandInTools::stopAndDeleteTiming()
{
    // Long enough for the runs below to happen before the service has stopped, also on a busy
    // machine.
    writeDatabase({QJsonObject{
        {"name", "Slow"}, {"serviceType", 16}, {"state", "running"}, {"stopTimeMs", 5000}}});

    // The stop request returns at once; the service is still on its way down.
    Run result = sc({"stop", "Slow"});
    QCOMPARE(result.exitCode, 0);
    QVERIFY2(result.out.contains("STATE              : 3  STOP_PENDING"), qPrintable(result.out));
    QCOMPARE(sc({"stop", "Slow"}).exitCode, exitOf(1061));

    result = sc({"delete", "Slow"});
    QCOMPARE(result.out, QStringLiteral("[SC] DeleteService SUCCESS\n"));
    QCOMPARE(result.exitCode, 0);
    result = sc({"delete", "Slow"});
    QVERIFY(result.out.startsWith("[SC] DeleteService FAILED 1072:"));

    // Marked for deletion: still there, but neither recreated nor reconfigured.
    QCOMPARE(sc({"query", "Slow"}).exitCode, 0);
    result = sc({"create", "Slow", "binPath=", "C:\\slow.exe"});
    QCOMPARE(result.out, QStringLiteral("[SC] CreateService FAILED 1072:\n\nThe specified "
                                        "service has been marked for deletion.\n\n"));
    QCOMPARE(result.exitCode, exitOf(1072));
    result = sc({"description", "Slow", "x"});
    QVERIFY(result.out.startsWith("[SC] ChangeServiceConfig2 FAILED 1072:"));

    // Once its stop time has passed it is gone, and the name is free again.
    QTRY_COMPARE_WITH_TIMEOUT(sc({"query", "Slow"}).exitCode, exitOf(1060), 30000);
    result = sc({"create", "Slow", "binPath=", "C:\\slow.exe"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(stored("Slow").state, SimulatedService::State::Stopped);
    QVERIFY(!stored("Slow").markedForDeletion);
}

void tst_StandInTools::deleteWithoutStop()
{
    writeDatabase({QJsonObject{{"name", "Busy"}, {"serviceType", 16}, {"state", "running"}},
                   QJsonObject{{"name", "Quick"}, {"serviceType", 16}, {"state", "running"}},
                   QJsonObject{{"name", "Idle"}, {"serviceType", 16}}});

    // A running service stays, marked, until something stops it.
    QCOMPARE(sc({"delete", "Busy"}).exitCode, 0);
    QCOMPARE(sc({"query", "Busy"}).exitCode, 0);
    QVERIFY(stored("Busy").markedForDeletion);
    QCOMPARE(sc({"create", "Busy", "binPath=", "x"}).exitCode, exitOf(1072));

    // A stopped one goes at once; one without a stop time goes with its stop.
    QCOMPARE(sc({"delete", "Idle"}).exitCode, 0);
    QCOMPARE(sc({"query", "Idle"}).exitCode, exitOf(1060));
    QCOMPARE(sc({"delete", "Quick"}).exitCode, 0);
    const Run stopped = sc({"stop", "Quick"});
    QCOMPARE(stopped.exitCode, 0);
    QVERIFY(stopped.out.contains("1  STOPPED"));
    QCOMPARE(sc({"query", "Quick"}).exitCode, exitOf(1060));
}

void tst_StandInTools::heldOpenServiceIsOnlyMarked()
{
    writeDatabase({QJsonObject{{"name", "Held"}, {"serviceType", 16}, {"heldOpen", true}}});

    // Stopped, but another program has it open: the delete only marks it.
    Run result = sc({"delete", "Held"});
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.out, QStringLiteral("[SC] DeleteService SUCCESS\n"));
    QCOMPARE(sc({"query", "Held"}).exitCode, 0);
    QVERIFY(stored("Held").markedForDeletion);
    result = sc({"create", "Held", "binPath=", "C:\\held.exe"});
    QVERIFY(result.out.startsWith("[SC] CreateService FAILED 1072:"));
    QCOMPARE(result.exitCode, exitOf(1072));

    // Released, it is gone, and the name is free again.
    QJsonObject released = QJsonDocument::fromJson(readAll(databasePath()))
                               .object()
                               .value("services")
                               .toArray()
                               .first()
                               .toObject();
    released.remove("heldOpen");
    writeDatabase({released});
    QCOMPARE(sc({"query", "Held"}).exitCode, exitOf(1060));
    QCOMPARE(sc({"create", "Held", "binPath=", "C:\\held.exe"}).exitCode, 0);
}

void tst_StandInTools::startAndStop_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("stateAfter"); // of the service named

    QTest::newRow("start") << QStringList{"start", "idle"} << 0 << "STATE              : 4  RUNNING"
                           << "running";
    QTest::newRow("start running")
        << QStringList{"start", "Base"} << 1056 << "[SC] StartService FAILED 1056:"
        << "running";
    QTest::newRow("start disabled")
        << QStringList{"start", "Off"} << 1058 << "[SC] StartService FAILED 1058:"
        << "stopped";
    QTest::newRow("start missing")
        << QStringList{"start", "Missing"} << 1060 << "[SC] OpenService FAILED 1060:"
        << "";
    QTest::newRow("stop with a running dependent")
        << QStringList{"stop", "base"} << 1051
        << "[SC] ControlService FAILED 1051:\n\nA stop control has been sent to a service that "
           "other running services are dependent on."
        << "running";
    QTest::newRow("stop what cannot be stopped")
        << QStringList{"stop", "Fixed"} << 1052
        << "[SC] ControlService FAILED 1052:\n\nThe requested control is not valid for this "
           "service."
        << "running";
    QTest::newRow("stop the dependent")
        << QStringList{"stop", "User"} << 0 << "STATE              : 1  STOPPED"
        << "stopped";
}

void tst_StandInTools::startAndStop()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, code);
    QFETCH(QString, message);
    QFETCH(QString, stateAfter);
    writeDatabase(
        {QJsonObject{{"name", "Base"}, {"serviceType", 16}, {"state", "running"}},
         QJsonObject{{"name", "User"},
                     {"serviceType", 16},
                     {"state", "running"},
                     {"dependencies", QJsonArray{"BASE"}}},
         QJsonObject{
             {"name", "Fixed"}, {"serviceType", 16}, {"state", "running"}, {"notStoppable", true}},
         QJsonObject{{"name", "Idle"}, {"serviceType", 16}, {"startType", 3}},
         QJsonObject{{"name", "Off"}, {"serviceType", 16}, {"startType", 4}}});
    const QByteArray before = readAll(databasePath());

    const Run result = sc(arguments);
    QVERIFY2(result.out.contains(message), qPrintable(result.out));
    QCOMPARE(result.exitCode, exitOf(code));
    if (code != 0)
        QCOMPARE(readAll(databasePath()), before);
    QCOMPARE(stored(arguments.at(1)).state == SimulatedService::State::Running,
             stateAfter == u"running");
}

void tst_StandInTools::reg_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<uint>("timeout");

    const QString key = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Svc";
    const QStringList tail{"/v", "PreshutdownTimeout", "/t", "REG_DWORD", "/d", "180000", "/f"};
    QTest::newRow("as the program writes it") << QStringList{"add", key} + tail << 0 << 180000u;
    QTest::newRow("long root name")
        << QStringList{"add", "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Services\\svc"} + tail
        << 0 << 180000u;
    QTest::newRow("hexadecimal, switches in another order")
        << QStringList{"ADD",       key,    "/F",
                       "/D",        "0x10", "/T",
                       "REG_DWORD", "/V",   "PreshutdownTimeout"}
        << 0 << 16u;
    QTest::newRow("without /f") << QStringList{"add", key} + tail.mid(0, 6) << 1 << 5u;
    QTest::newRow("other type") << QStringList{"add", key,      "/v", "PreshutdownTimeout",
                                               "/t",  "REG_SZ", "/d", "9",
                                               "/f"}
                                << 1 << 5u;
    QTest::newRow("other value") << QStringList{"add",       key,  "/v", "Start", "/t",
                                                "REG_DWORD", "/d", "4",  "/f"}
                                 << 1 << 5u;
    QTest::newRow("other key") << QStringList{
        "add", "HKLM\\SOFTWARE\\Svc", "/v", "PreshutdownTimeout", "/t", "REG_DWORD", "/d", "9",
        "/f"} << 1 << 5u;
    QTest::newRow("negative") << QStringList{"add", key,         "/v", "PreshutdownTimeout",
                                             "/t",  "REG_DWORD", "/d", "-5",
                                             "/f"}
                              << 1 << 5u;
    QTest::newRow("too large") << QStringList{"add", key,         "/v", "PreshutdownTimeout",
                                              "/t",  "REG_DWORD", "/d", "4294967296",
                                              "/f"}
                               << 1 << 5u;
    QTest::newRow("switch twice") << QStringList{"add", key} + tail + QStringList{"/f"} << 1 << 5u;
    QTest::newRow("not add") << QStringList{"query", key} << 1 << 5u;
    QTest::newRow("unknown service")
        << QStringList{"add", "HKLM\\SYSTEM\\CurrentControlSet\\Services\\Nope"} + tail << 1 << 5u;
}

void tst_StandInTools::reg()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    writeDatabase({QJsonObject{{"name", "Svc"}, {"serviceType", 16}, {"preshutdownTimeoutMs", 5}}});

    const Run result = reg(arguments);
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 0) {
        QCOMPARE(result.out, QStringLiteral("The operation completed successfully.\n"));
        QVERIFY(result.err.isEmpty());
    } else {
        QVERIFY(result.out.isEmpty());
        QVERIFY2(result.err.startsWith("ERROR: "), qPrintable(result.err));
    }
    QTEST(uint(stored("Svc").preshutdownTimeoutMs), "timeout");
}

void tst_StandInTools::damagedDatabase()
{
    const QByteArray damaged = R"({"services": [{"name": "A", "serviceType": "own"}]})";
    QFile file(databasePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();

    for (const QStringList &arguments :
         {QStringList{"query", "A"}, QStringList{"create", "B", "binPath=", "x"}}) {
        const Run result = sc(arguments);
        QCOMPARE(result.exitCode, exitOf(1065));
        QVERIFY(result.out.startsWith("[SC] OpenSCManager FAILED 1065:"));
        QVERIFY2(result.err.contains("damaged") && result.err.contains("serviceType"),
                 qPrintable(result.err));
    }
    const Run result = reg({"add", "HKLM\\SYSTEM\\CurrentControlSet\\Services\\A", "/v",
                            "PreshutdownTimeout", "/t", "REG_DWORD", "/d", "1", "/f"});
    QCOMPARE(result.exitCode, 1);
    QVERIFY(result.err.contains("damaged"));
    QCOMPARE(readAll(databasePath()), damaged);
}

void tst_StandInTools::sharedDefaultDatabase()
{
    // Without LEDGERWELL_SCM_DB the tools and the program meet in the user's data folder,
    // which the first of them fills from the sample.
    QProcessEnvironment environment = m_environment;
    environment.remove("LEDGERWELL_SCM_DB");
    environment.insert("XDG_DATA_HOME", m_dir->path());
    const QString path = m_dir->filePath("Quorvantel/Ledgerwell/scm-database.json");

    const Run result = run("sc", {"create", "FromTool", "binPath=", "C:\\t.exe"}, environment);
    QCOMPARE(result.exitCode, 0);
    QVERIFY(QFile::exists(path));

    qunsetenv("LEDGERWELL_SCM_DB");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
    const QList<ServiceInfo> services = ServiceEnumerator::enumerate();
    if (dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", dataHome);

    QVERIFY(services.size() > 1);
    QCOMPARE(services.last().serviceName, QStringLiteral("FromTool"));
}

void tst_StandInTools::concurrentWriters()
{
    // Every writer holds the lock for its whole read-change-write, so none loses another's work.
    std::vector<std::unique_ptr<QProcess>> processes;
    for (int i = 0; i < 8; ++i) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(m_environment);
        process->start(QStringLiteral(LEDGERWELL_TOOLS_DIR "/sc"),
                       {"create", QStringLiteral("Parallel%1").arg(i), "binPath=", "x"});
        processes.push_back(std::move(process));
    }
    for (const auto &process : processes) {
        QVERIFY(process->waitForFinished(30000));
        QCOMPARE(process->exitCode(), 0);
    }
    QList<SimulatedService> services;
    QVERIFY(SimulatedServiceDatabase(databasePath()).read(services));
    QCOMPARE(services.size(), 8);
}

QTEST_GUILESS_MAIN(tst_StandInTools)
#include "tst_standintools.moc"
