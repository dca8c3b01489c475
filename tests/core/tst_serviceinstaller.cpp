#include "ServiceInstaller.h"

#include "Ledgerwell.h"
#include "ServiceEnumerator.h"
#include "ServiceRecords.h"
#include "SimulatedMachine.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

namespace {

ServiceCommand shell(const QString &script)
{
    return {ServiceCommand::Step::Query,
            QStringLiteral("sh"),
            {{QStringLiteral("-c"), CommandArgument::Form::Keyword},
             {script, CommandArgument::Form::Quoted}}};
}

QJsonObject running(QJsonObject service, int stopTimeMs)
{
    service["state"] = "running";
    service["stopTimeMs"] = stopTimeMs;
    return service;
}

ServiceInstaller::Timeouts shortWaits()
{
    ServiceInstaller::Timeouts timeouts;
    timeouts.stopWaitMs = 800;
    timeouts.removalWaitMs = 800;
    timeouts.pollMs = 50;
    return timeouts;
}

} // namespace

class tst_ServiceInstaller final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void runOutcome_data();
    void runOutcome();
    void runThatHangsTimesOut();
    void stateNumber_data();
    void stateNumber();
    void createsNewServicesWithEveryStep();
    void findExistingNeedsTheTool();
    void replacesARunningServiceOnceStoppedAndSavesIt();
    void serviceThatDoesNotStopIsLeftAlone();
    void serviceGoneSinceTheExistencePassIsCreated();
    void failedCreateRestoresThePreviousService();
    void failedFollowUpIsReported();
    void unreadableServiceIsNotBackedUp();
    void sameNameTwiceIsNotReplacedTwice();

private:
    std::unique_ptr<SimulatedMachine> m_env;
};

void tst_ServiceInstaller::init()
{
    m_env = std::make_unique<SimulatedMachine>(SimulatedMachine::Tools::StandInsOnPath);
    QVERIFY(m_env->isValid());
    QVERIFY(m_env->writeDatabase({}));
}

void tst_ServiceInstaller::cleanup()
{
    m_env.reset();
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
}

void tst_ServiceInstaller::runOutcome_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("success") << "echo fine" << int(ToolRun::Outcome::Succeeded) << 0 << "";
    QTest::newRow("standard error first") << "echo out; printf 'bad\\n  thing\\n' >&2; exit 3"
                                          << int(ToolRun::Outcome::Failed) << 3 << "bad thing";
    QTest::newRow("standard output when error is empty")
        << "printf '[SC] DeleteService FAILED 1072:\\n\\nMarked for deletion.\\n'; exit 72"
        << int(ToolRun::Outcome::Failed) << 72
        << "[SC] DeleteService FAILED 1072: Marked for deletion.";
    QTest::newRow("silent failure") << "exit 5" << int(ToolRun::Outcome::Failed) << 5 << "";
    QTest::newRow("crash") << "kill -SEGV $$" << int(ToolRun::Outcome::Crashed) << 0 << "";
}

void tst_ServiceInstaller::runOutcome()
{
    QFETCH(QString, script);
    QFETCH(int, outcome);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    const ToolRun run = ServiceInstaller().run(shell(script), 5000);
    QCOMPARE(int(run.outcome), outcome);
    QCOMPARE(run.exitCode, exitCode);
    QCOMPARE(run.message, message);
}

void tst_ServiceInstaller::runThatHangsTimesOut()
{
    int idleCalls = 0;
    ServiceInstaller installer;
    installer.setIdleCallback([&idleCalls] { ++idleCalls; });
    const ToolRun run = installer.run(shell("sleep 10"), 300);
    QCOMPARE(run.outcome, ToolRun::Outcome::TimedOut);
    QCOMPARE(run.timeoutMs, 300);
    QVERIFY(idleCalls > 0);

    const ToolRun missing =
        installer.run({ServiceCommand::Step::Query, QStringLiteral("no-such-tool-here"), {}}, 300);
    QCOMPARE(missing.outcome, ToolRun::Outcome::NotStarted);
    QVERIFY(!missing.message.isEmpty());
}

void tst_ServiceInstaller::stateNumber_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("state");

    QTest::newRow("English") << "\nSERVICE_NAME: Spooler\n        TYPE               : 110  "
                                "WIN32_OWN_PROCESS  (interactive)\n        STATE              : "
                                "4  RUNNING\n        WIN32_EXIT_CODE    : 0  (0x0)\n"
                             << 4;
    QTest::newRow("German") << "SERVICE_NAME: Spooler\n        TYP                : 10  "
                               "WIN32_OWN_PROCESS\n        STATUS             : 1  STOPPED\n"
                            << 1;
    QTest::newRow("pending") << "        STATE              : 3  STOP_PENDING \n" << 3;
    QTest::newRow("no state") << "[SC] EnumQueryServicesStatus:OpenService FAILED 5:\n" << -1;
}

void tst_ServiceInstaller::stateNumber()
{
    QFETCH(QString, output);
    QFETCH(int, state);
    QCOMPARE(ServiceInstaller::stateNumber(output), state);
}

void tst_ServiceInstaller::createsNewServicesWithEveryStep()
{
    const ServiceInfo service = serviceWithEveryField("AcmeAgent");
    ServiceInfo plain = importedService("Plain", QString(), "Auto", QString(), "C:\\plain.exe");
    plain.serviceType = QStringLiteral("Unknown");
    plain.errorControl = QStringLiteral("Unknown");

    ServiceInstaller installer;
    QVERIFY(installer.findExisting({service, plain}));
    QVERIFY(installer.existingNames().isEmpty());
    for (const ServiceInfo &record : {service, plain}) {
        const ServiceInstaller::Result result = installer.install(record);
        QCOMPARE(result.status, ServiceInstaller::Result::Status::Installed);
        QVERIFY(result.failedFollowUps.isEmpty());
        QCOMPARE(result.restore, ServiceInstaller::Result::Restore::NotNeeded);
    }

    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"AcmeAgent", "Plain"}));
    QCOMPARE(now.at(0), service);
    QCOMPARE(now.at(1).startType, QStringLiteral("Auto"));
    QCOMPARE(now.at(1).serviceType, QStringLiteral("Own"));
    QCOMPARE(now.at(1).errorControl, QStringLiteral("Normal"));
    QVERIFY(now.at(1).accountName.isEmpty() || now.at(1).accountName == u"LocalSystem");
}

void tst_ServiceInstaller::findExistingNeedsTheTool()
{
    QVERIFY(m_env->writeDatabase({simulatedService("Spooler", "Print Spooler", "C:\\sp.exe")}));
    ServiceInstaller installer;
    QVERIFY(installer.findExisting(
        {importedService("New"), importedService("Spooler"), importedService("Spooler")}));
    QCOMPARE(installer.existingNames(), QStringList({"Spooler"}));

    qputenv("PATH", "/nonexistent");
    ToolRun failed;
    QVERIFY(!installer.findExisting({importedService("Spooler")}, &failed));
    QCOMPARE(failed.outcome, ToolRun::Outcome::NotStarted);
    QVERIFY(installer.existingNames().isEmpty());
}

void tst_ServiceInstaller::replacesARunningServiceOnceStoppedAndSavesIt()
{
    QJsonObject old = running(simulatedService("Spooler", "Old Spooler", "C:\\old.exe"), 600);
    old["description"] = "The old one.";
    QVERIFY(m_env->writeDatabase({old}));
    const ServiceInfo before = ServiceEnumerator::enumerate().constFirst();
    const ServiceInfo replacement = serviceWithEveryField("Spooler");

    // The full waits: a busy machine must not turn a slow stop into a failure here.
    ServiceInstaller installer;
    QVERIFY(installer.findExisting({replacement}));
    QCOMPARE(installer.existingNames(), QStringList({"Spooler"}));

    const QString backup = ServiceInstaller::newBackupPath();
    QVERIFY(backup.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    QVERIFY(QFileInfo(backup).fileName().contains(QDate::currentDate().toString("yyyy-MM-dd")));
    QStringList unreadable;
    QString error;
    QVERIFY2(installer.backUpExisting(backup, &unreadable, &error), qPrintable(error));
    QCOMPARE(Ledgerwell::importFromJson(backup), QList<ServiceInfo>({before}));
    QVERIFY(ServiceInstaller::newBackupPath() != backup);

    const ServiceInstaller::Result result = installer.install(replacement);
    QCOMPARE(result.status, ServiceInstaller::Result::Status::Installed);
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(now.size(), 1);
    QCOMPARE(now.constFirst(), replacement);
}

void tst_ServiceInstaller::serviceThatDoesNotStopIsLeftAlone()
{
    QVERIFY(m_env->writeDatabase(
        {running(simulatedService("Stuck", "Stuck", "C:\\stuck.exe"), 600000)}));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();

    ServiceInstaller installer;
    installer.setTimeouts(shortWaits());
    QVERIFY(installer.findExisting({importedService("Stuck")}));
    QVERIFY(installer.backUpExisting(ServiceInstaller::newBackupPath(), nullptr, nullptr));
    const ServiceInstaller::Result result = installer.install(importedService("Stuck"));
    QCOMPARE(result.status, ServiceInstaller::Result::Status::StopTimedOut);
    QCOMPARE(ServiceEnumerator::enumerate(), before); // still there, not marked for deletion
}

void tst_ServiceInstaller::serviceGoneSinceTheExistencePassIsCreated()
{
    QVERIFY(m_env->writeDatabase({simulatedService("Acme", "Old", "C:\\old.exe")}));
    ServiceInstaller installer;
    installer.setTimeouts(shortWaits());
    QVERIFY(installer.findExisting({importedService("Acme")}));
    QVERIFY(installer.backUpExisting(ServiceInstaller::newBackupPath(), nullptr, nullptr));
    QVERIFY(m_env->writeDatabase({}));

    const ServiceInstaller::Result result = installer.install(importedService("Acme", "New"));
    QCOMPARE(result.status, ServiceInstaller::Result::Status::Installed);
    QCOMPARE(ServiceEnumerator::enumerate().constFirst().displayName, QStringLiteral("New"));
}

void tst_ServiceInstaller::failedCreateRestoresThePreviousService()
{
    QJsonObject old = simulatedService("Acme", "Old Acme", "C:\\acme.exe");
    old["description"] = "Kept safe.";
    old["failureActions"] =
        QJsonObject{{"resetPeriod", 86400},
                    {"actions", QJsonArray{QJsonObject{{"type", 1}, {"delayMs", 1000}},
                                           QJsonObject{{"type", 0}, {"delayMs", 0}},
                                           QJsonObject{{"type", 0}, {"delayMs", 0}}}}};
    QVERIFY(m_env->writeDatabase({old}));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();

    // A boot start is only for drivers: the tool refuses to create this one.
    ServiceInfo broken = importedService("Acme", "New Acme", "Boot");
    ServiceInstaller installer;
    QVERIFY(installer.findExisting({broken}));
    QVERIFY(installer.backUpExisting(ServiceInstaller::newBackupPath(), nullptr, nullptr));
    const ServiceInstaller::Result result = installer.install(broken);
    QCOMPARE(result.status, ServiceInstaller::Result::Status::CreateFailed);
    QCOMPARE(result.failedRun.outcome, ToolRun::Outcome::Failed);
    QVERIFY2(result.failedRun.message.contains("FAILED"), qPrintable(result.failedRun.message));
    QCOMPARE(result.restore, ServiceInstaller::Result::Restore::Restored);
    QCOMPARE(ServiceEnumerator::enumerate(), before);
}

void tst_ServiceInstaller::failedFollowUpIsReported()
{
    ServiceInfo service = serviceWithEveryField("Acme");
    service.sidType = QStringLiteral("Odd");
    ServiceInstaller installer;
    QVERIFY(installer.findExisting({service}));
    const ServiceInstaller::Result result = installer.install(service);
    QCOMPARE(result.status, ServiceInstaller::Result::Status::Installed);
    QCOMPARE(result.failedFollowUps.size(), 1);
    QCOMPARE(result.failedFollowUps.first().stepName, QStringLiteral("sidtype"));
    QVERIFY(!result.failedFollowUps.first().run.message.isEmpty());
    // The steps after it still ran.
    QCOMPARE(ServiceEnumerator::enumerate().constFirst().requiredPrivileges,
             service.requiredPrivileges);
}

void tst_ServiceInstaller::unreadableServiceIsNotBackedUp()
{
    QJsonObject locked = simulatedService("Locked", "Locked", "C:\\locked.exe");
    locked["faults"] = QJsonObject{{"configUnreadable", true}};
    QVERIFY(m_env->writeDatabase({locked}));

    ServiceInstaller installer;
    QVERIFY(installer.findExisting({importedService("Locked")}));
    QCOMPARE(installer.existingNames(), QStringList({"Locked"}));
    const QString backup = ServiceInstaller::newBackupPath();
    QStringList unreadable;
    QVERIFY(!installer.backUpExisting(backup, &unreadable, nullptr));
    QCOMPARE(unreadable, QStringList({"Locked"}));
    QVERIFY(!QFileInfo::exists(backup));

    // Without a saved copy the installer does not replace it.
    const ServiceInstaller::Result result = installer.install(importedService("Locked"));
    QCOMPARE(result.status, ServiceInstaller::Result::Status::NotSaved);
    QVERIFY(m_env->databaseEntries().first().toObject().value("binaryPath") == "C:\\locked.exe");
}

void tst_ServiceInstaller::sameNameTwiceIsNotReplacedTwice()
{
    QVERIFY(m_env->writeDatabase({simulatedService("Acme", "Old", "C:\\old.exe")}));
    const ServiceInfo first = importedService("Acme", "First", "Auto");
    const ServiceInfo second = importedService("Acme", "Second", "Auto");

    ServiceInstaller installer;
    QVERIFY(installer.findExisting({first, second}));
    QVERIFY(installer.backUpExisting(ServiceInstaller::newBackupPath(), nullptr, nullptr));
    QCOMPARE(installer.install(first).status, ServiceInstaller::Result::Status::Installed);
    const ServiceInstaller::Result again = installer.install(second);
    QCOMPARE(again.status, ServiceInstaller::Result::Status::CreateFailed);
    QCOMPARE(again.restore, ServiceInstaller::Result::Restore::NotNeeded);
    QCOMPARE(ServiceEnumerator::enumerate().constFirst().displayName, QStringLiteral("First"));
}

QTEST_GUILESS_MAIN(tst_ServiceInstaller)
#include "tst_serviceinstaller.moc"
