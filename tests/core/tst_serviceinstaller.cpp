#include "ServiceInstaller.h"

#include "Ledgerwell.h"
#include "ServiceAccount.h"
#include "ServiceEnumerator.h"
#include "ServiceRecords.h"
#include "SimulatedMachine.h"

#include <QDir>
#include <QElapsedTimer>
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
    void sameNameTwiceIsNotReplacedTwice_data();
    void sameNameTwiceIsNotReplacedTwice();
    void replacesAServiceNamedInOtherCase();
    void backupHolds_data();
    void backupHolds();
    void backupFolderThatCannotBeCreated();
    void heldOpenServiceIsOnlyMarkedForDeletion();
    void stopRefusedAtOnceLeavesTheServiceAlone_data();
    void stopRefusedAtOnceLeavesTheServiceAlone();
    void unreadableStateAfterDeleteLetsTheCreateDecide_data();
    void unreadableStateAfterDeleteLetsTheCreateDecide();
    void createThatRunsOutOfTimeIsReportedAsCreated();
    void restoreStartsARunningServiceAgain_data();
    void restoreStartsARunningServiceAgain();

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

void tst_ServiceInstaller::sameNameTwiceIsNotReplacedTwice_data()
{
    QTest::addColumn<QString>("secondName");
    QTest::newRow("same spelling") << "Acme";
    QTest::newRow("other case") << "ACME";
}

void tst_ServiceInstaller::sameNameTwiceIsNotReplacedTwice()
{
    QFETCH(QString, secondName);
    QVERIFY(m_env->writeDatabase({simulatedService("Acme", "Old", "C:\\old.exe")}));
    const ServiceInfo first = importedService("Acme", "First", "Auto");
    const ServiceInfo second = importedService(secondName, "Second", "Auto");

    ServiceInstaller installer;
    QVERIFY(installer.findExisting({first, second}));
    QVERIFY(installer.backUpExisting(ServiceInstaller::newBackupPath(), nullptr, nullptr));
    QCOMPARE(installer.install(first).status, ServiceInstaller::Result::Status::Installed);
    const ServiceInstaller::Result again = installer.install(second);
    QCOMPARE(again.status, ServiceInstaller::Result::Status::CreateFailed);
    QCOMPARE(again.restore, ServiceInstaller::Result::Restore::NotNeeded);
    QCOMPARE(ServiceEnumerator::enumerate().constFirst().displayName, QStringLiteral("First"));
}

void tst_ServiceInstaller::replacesAServiceNamedInOtherCase()
{
    QVERIFY(m_env->writeDatabase({simulatedService("Spooler", "Old Spooler", "C:\\old.exe")}));
    const ServiceInfo before = ServiceEnumerator::enumerate().constFirst();
    const ServiceInfo record = importedService("spooler", "New Spooler", "Auto");

    ServiceInstaller installer;
    installer.setTimeouts(shortWaits());
    QVERIFY(installer.findExisting({record}));
    QCOMPARE(installer.existingNames(), QStringList({"spooler"}));
    const QString backup = ServiceInstaller::newBackupPath();
    QStringList unreadable;
    QString error;
    QVERIFY2(installer.backUpExisting(backup, &unreadable, &error), qPrintable(error));
    QCOMPARE(Ledgerwell::importFromJson(backup), QList<ServiceInfo>({before}));

    QCOMPARE(installer.install(record).status, ServiceInstaller::Result::Status::Installed);
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"spooler"})); // the record's own spelling
    QCOMPARE(now.constFirst().displayName, QStringLiteral("New Spooler"));
}

void tst_ServiceInstaller::backupHolds_data()
{
    QTest::addColumn<QByteArray>("contents"); // empty: no file at all
    QTest::addColumn<QString>("why");         // empty: the backup holds everything

    const ServiceInfo a = importedService("A", "Alpha", "Auto", "LocalSystem", "C:\\a.exe", "x");
    const ServiceInfo b = importedService("B", "Beta");
    auto json = [](const QList<ServiceInfo> &services) {
        const QString path = QDir::temp().filePath("ledgerwell-backup-row.json");
        Ledgerwell::exportToJson(path, services);
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        file.remove();
        return bytes;
    };
    ServiceInfo changed = b;
    changed.description = QStringLiteral("other");
    ServiceInfo otherCase = b;
    otherCase.serviceName = QStringLiteral("b");

    QTest::newRow("holds both") << json({b, a}) << "";
    QTest::newRow("and more") << json({a, b, importedService("C")}) << "";
    QTest::newRow("no file") << QByteArray() << "it cannot be opened";
    QTest::newRow("empty file") << QByteArray(" ") << "it is not valid JSON";
    QTest::newRow("cut short") << json({a, b}).left(300) << "it is not valid JSON";
    QTest::newRow("not a list") << QByteArray("{}") << "it holds no list of services";
    QTest::newRow("one missing") << json({a}) << "the service B is missing";
    QTest::newRow("name in other case") << json({a, otherCase}) << "the service B is missing";
    QTest::newRow("field differs")
        << json({a, changed}) << "the field \"Description\" of the service B differs";
}

void tst_ServiceInstaller::backupHolds()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, why);
    const QString path = m_env->filePath("backup.json");
    if (!contents.isEmpty()) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(contents), contents.size());
    }
    const QList<ServiceInfo> services{
        importedService("A", "Alpha", "Auto", "LocalSystem", "C:\\a.exe", "x"),
        importedService("B", "Beta")};
    QString reason;
    QCOMPARE(ServiceInstaller::backupHolds(path, services, &reason), why.isEmpty());
    QVERIFY2(why.isEmpty() ? reason.isEmpty() : reason.startsWith(why), qPrintable(reason));
}

void tst_ServiceInstaller::backupFolderThatCannotBeCreated()
{
    QVERIFY(m_env->writeDatabase({simulatedService("Acme", "Acme", "C:\\acme.exe")}));
    QFile blocker(m_env->filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString folder = m_env->filePath("blocker/backups");

    ServiceInstaller installer;
    QVERIFY(installer.findExisting({importedService("Acme")}));
    QString error;
    QVERIFY(!installer.backUpExisting(ServiceInstaller::newBackupPath(folder), nullptr, &error));
    // The reason, not the folder's path a second time.
    QCOMPARE(error, QStringLiteral("Cannot create the folder %1: Not a directory.")
                        .arg(QDir::toNativeSeparators(folder)));
    QCOMPARE(installer.install(importedService("Acme")).status,
             ServiceInstaller::Result::Status::NotSaved);
}

void tst_ServiceInstaller::heldOpenServiceIsOnlyMarkedForDeletion()
{
    QJsonObject held = simulatedService("Held", "Held", "C:\\held.exe");
    held["heldOpen"] = true;
    QVERIFY(m_env->writeDatabase({held}));
    const ServiceInfo before = ServiceEnumerator::enumerate().constFirst();

    // With the installer's own waits: a held service stays held, so it is not waited for at length.
    ServiceInstaller installer;
    QVERIFY(installer.findExisting({importedService("Held", "New")}));
    QVERIFY(installer.backUpExisting(ServiceInstaller::newBackupPath(), nullptr, nullptr));
    QElapsedTimer timer;
    timer.start();
    const ServiceInstaller::Result result = installer.install(importedService("Held", "New"));
    QVERIFY2(timer.elapsed() < 20000, qPrintable(QString::number(timer.elapsed())));
    QCOMPARE(result.status, ServiceInstaller::Result::Status::MarkedForDeletion);
    QVERIFY2(result.failedRun.message.contains("1072"), qPrintable(result.failedRun.message));
    QCOMPARE(result.restore, ServiceInstaller::Result::Restore::NotNeeded);
    QCOMPARE(ServiceEnumerator::enumerate(), QList<ServiceInfo>({before}));
    QVERIFY(m_env->databaseEntries().first().toObject().value("markedForDeletion").toBool());

    // Once released it goes, as Windows removes it then.
    QVERIFY(m_env->changeEntry("Held", {{"heldOpen", false}}));
    QVERIFY(ServiceEnumerator::enumerate().isEmpty());
}

void tst_ServiceInstaller::stopRefusedAtOnceLeavesTheServiceAlone_data()
{
    QTest::addColumn<QJsonArray>("services");
    QTest::addColumn<QString>("error");

    const QJsonObject target = running(simulatedService("Target", "Target", "C:\\t.exe"), 0);
    QJsonObject dependent = running(simulatedService("User", "User", "C:\\u.exe"), 0);
    dependent["dependencies"] = QJsonArray{"TARGET"};
    QJsonObject unstoppable = target;
    unstoppable["notStoppable"] = true;
    QTest::newRow("dependent services running") << QJsonArray{target, dependent} << "1051";
    QTest::newRow("cannot be stopped") << QJsonArray{unstoppable} << "1052";
}

void tst_ServiceInstaller::stopRefusedAtOnceLeavesTheServiceAlone()
{
    QFETCH(QJsonArray, services);
    QFETCH(QString, error);
    QVERIFY(m_env->writeDatabase(services));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();
    const QJsonArray entriesBefore = m_env->databaseEntries();

    ServiceInstaller::Timeouts timeouts = shortWaits();
    timeouts.stopWaitMs = 20000; // a refusal must not be waited out
    ServiceInstaller installer;
    installer.setTimeouts(timeouts);
    QVERIFY(installer.findExisting({importedService("Target")}));
    QVERIFY(installer.backUpExisting(ServiceInstaller::newBackupPath(), nullptr, nullptr));
    QElapsedTimer timer;
    timer.start();
    const ServiceInstaller::Result result = installer.install(importedService("Target", "New"));
    QVERIFY(timer.elapsed() < 10000);
    QCOMPARE(result.status, ServiceInstaller::Result::Status::StopRefused);
    QVERIFY2(result.failedRun.message.contains("FAILED " + error),
             qPrintable(result.failedRun.message));
    QCOMPARE(ServiceEnumerator::enumerate(), before);
    QCOMPARE(m_env->databaseEntries(), entriesBefore);
}

void tst_ServiceInstaller::unreadableStateAfterDeleteLetsTheCreateDecide_data()
{
    QTest::addColumn<bool>("deleteTakes");

    QTest::newRow("service gone") << true;
    // The delete answered but did not take: the create meets the old service.
    QTest::newRow("service still there") << false;
}

void tst_ServiceInstaller::unreadableStateAfterDeleteLetsTheCreateDecide()
{
    QFETCH(bool, deleteTakes);
    QVERIFY(m_env->writeDatabase({simulatedService("Acme", "Old", "C:\\old.exe")}));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();
    // From the delete on, every query fails with another error than "does not exist".
    QVERIFY(m_env->wrapStandIn(
        "sc", QStringLiteral("if [ \"$1\" = query ] && [ -e \"$STATE/deleted\" ]; then\n"
                             "  printf '[SC] EnumQueryServicesStatus:OpenService FAILED 1115:\\n"
                             "\\nA system shutdown is in progress.\\n'; exit 91\n"
                             "fi\n"
                             "if [ \"$1\" = delete ]; then\n"
                             "  touch \"$STATE/deleted\"\n"
                             "  %1\n"
                             "fi")
                  .arg(deleteTakes ? "" : "echo '[SC] DeleteService SUCCESS'; exit 0")));

    ServiceInstaller::Timeouts timeouts = shortWaits();
    timeouts.removalWaitMs = 20000; // an unreadable state must not be waited out
    ServiceInstaller installer;
    installer.setTimeouts(timeouts);
    QVERIFY(installer.findExisting({importedService("Acme")}));
    QVERIFY(installer.backUpExisting(ServiceInstaller::newBackupPath(), nullptr, nullptr));
    QElapsedTimer timer;
    timer.start();
    const ServiceInstaller::Result result = installer.install(importedService("Acme", "New"));
    QVERIFY(timer.elapsed() < 10000);
    if (deleteTakes) {
        QCOMPARE(result.status, ServiceInstaller::Result::Status::Installed);
        QCOMPARE(ServiceEnumerator::enumerate().constFirst().displayName, QStringLiteral("New"));
    } else {
        QCOMPARE(result.status, ServiceInstaller::Result::Status::CreateFailed);
        QVERIFY2(result.failedRun.message.contains("1073"), qPrintable(result.failedRun.message));
        QCOMPARE(result.restore, ServiceInstaller::Result::Restore::NotNeeded);
        QCOMPARE(ServiceEnumerator::enumerate(), before);
    }
}

void tst_ServiceInstaller::createThatRunsOutOfTimeIsReportedAsCreated()
{
    // The create does its work, then the tool hangs.
    QVERIFY(m_env->wrapStandIn("sc", "if [ \"$1\" = create ]; then \"$REAL\" \"$@\"; sleep 5; fi"));
    ServiceInstaller::Timeouts timeouts = shortWaits();
    timeouts.changeMs = 1500;
    ServiceInstaller installer;
    installer.setTimeouts(timeouts);
    const ServiceInfo record =
        importedService("Slow", "Slow", "Auto", "LocalSystem", "C:\\slow.exe", "Described.");
    QVERIFY(installer.findExisting({record}));
    const ServiceInstaller::Result result = installer.install(record);
    QCOMPARE(result.status, ServiceInstaller::Result::Status::CreatedWithoutSettings);
    QVERIFY(result.created());
    QCOMPARE(result.failedRun.outcome, ToolRun::Outcome::TimedOut);
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"Slow"}));
    QVERIFY(now.constFirst().description.isEmpty()); // its follow-up steps did not run
}

void tst_ServiceInstaller::restoreStartsARunningServiceAgain_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<int>("restart");
    QTest::addColumn<QString>("state");
    QTest::newRow("built-in account")
        << "NT AUTHORITY\\LocalService" << int(ServiceInstaller::Result::Restart::Started)
        << "running";
    // Its password went with the deleted service: a start could only fail at the logon.
    QTest::newRow("account with a password")
        << ".\\svcuser" << int(ServiceInstaller::Result::Restart::AwaitsPassword) << "stopped";
}

void tst_ServiceInstaller::restoreStartsARunningServiceAgain()
{
    QFETCH(QString, account);
    QFETCH(int, restart);
    QFETCH(QString, state);
    QJsonObject old = running(simulatedService("Acme", "Old", "C:\\acme.exe"), 0);
    old["account"] = account;
    QVERIFY(m_env->writeDatabase({old}));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();

    ServiceInstaller installer;
    installer.setTimeouts(shortWaits());
    const ServiceInfo broken = importedService("Acme", "New", "Boot");
    QVERIFY(installer.findExisting({broken}));
    QVERIFY(installer.backUpExisting(ServiceInstaller::newBackupPath(), nullptr, nullptr));
    const ServiceInstaller::Result result = installer.install(broken);
    QCOMPARE(result.status, ServiceInstaller::Result::Status::CreateFailed);
    QCOMPARE(result.restore, ServiceInstaller::Result::Restore::Restored);
    QCOMPARE(int(result.restart), restart);
    QCOMPARE(result.accountWithoutPassword,
             ServiceAccount::needsPassword(account) ? account : QString());
    QCOMPARE(ServiceEnumerator::enumerate(), before);
    QCOMPARE(m_env->databaseEntries().first().toObject().value("state"), QJsonValue(state));
}

QTEST_GUILESS_MAIN(tst_ServiceInstaller)
#include "tst_serviceinstaller.moc"
