// install run as a process: the import dialog's installation through the same core flow, with
// the simulated machine's database changed by the stand-in tools beside the program.

#include "CliMachine.h"

#include "Ledgerwell.h"
#include "ServiceEnumerator.h"
#include "ServiceRecords.h"
#include "TestFiles.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QThread>

#include <memory>

#include <csignal>

#include <signal.h>

namespace {

} // namespace

class tst_CliInstall final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void dryRunPrintsTheCommandsAndChangesNothing();
    void installsNewServices();
    void replacesExistingServicesWithYes();
    void withoutYesOrTerminalNothingChanges();
    void failedCreateRestoresThePreviousService();
    void confirmsOnATerminal_data();
    void confirmsOnATerminal();
    void installsOnlyTheNamedServices();
    void interruptStopsAfterTheServiceInHand_data();
    void interruptStopsAfterTheServiceInHand();
    void ctrlCOnTheTerminalLeavesTheToolInHandAlone();
    void progressOnATerminalEndsWithTheInterrupt();

private:
    QString write(const QList<ServiceInfo> &services) const;
    QString programWithSlowDelete(const QByteArray &whileDeleting) const;

    std::unique_ptr<CliMachine> m_machine;
};

void tst_CliInstall::init()
{
    m_machine = std::make_unique<CliMachine>();
    QVERIFY(m_machine->isValid());
    QVERIFY(m_machine->writeDatabase({}));
}

QString tst_CliInstall::write(const QList<ServiceInfo> &services) const
{
    const QString path = m_machine->filePath("services.json");
    return Ledgerwell::exportToJson(path, services) ? path : QString();
}

void tst_CliInstall::dryRunPrintsTheCommandsAndChangesNothing()
{
    QVERIFY(m_machine->writeDatabase({runningService("Spooler", "Old Spooler", 500)}));
    const QByteArray database = readFile(m_machine->databasePath());

    ServiceInfo spooler = importedService("spooler", "New \"Spooler\"", "DelayedAuto");
    spooler.binaryPath = QStringLiteral("\"C:\\Program Files\\Spool\\spool.exe\" -k x\\");
    spooler.description = QStringLiteral("two\nlines");
    spooler.preShutdownTimeout = 5000;
    ServiceInfo slash = importedService("a/b", "Slashed");
    const QString path = write({spooler, importedService("New", "New one", "Auto"), slash});

    const CliRun run = m_machine->run({"install", path, "--dry-run"});
    QCOMPARE(run.exitCode, 1); // the third record would not be installed
    QCOMPARE(QString::fromUtf8(run.out),
             QStringLiteral(
                 "sc stop \"spooler\"\n"
                 "sc delete \"spooler\"\n"
                 "sc create \"spooler\" binPath= \"\\\"C:\\Program Files\\Spool\\spool.exe\\\" "
                 "-k x\\\\\" start= auto type= own error= normal obj= \"LocalSystem\" "
                 "DisplayName= \"New \\\"Spooler\\\"\"\n"
                 "sc description \"spooler\" \"two\\nlines\"\n"
                 "sc config \"spooler\" start= delayed-auto\n"
                 "reg add \"HKLM\\SYSTEM\\CurrentControlSet\\Services\\spooler\" /v "
                 "PreshutdownTimeout /t REG_DWORD /d 5000 /f\n"
                 "sc create \"New\" binPath= \"C:\\svc.exe\" start= auto type= own error= normal "
                 "obj= \"LocalSystem\" DisplayName= \"New one\"\n"));
    QCOMPARE(QString::fromUtf8(run.err),
             QStringLiteral("ledgerwell-cli: record 3 (\"Slashed\") has a service name with "
                            "\"/\" or \"\\\"; it was not installed.\n"));
    QCOMPARE(readFile(m_machine->databasePath()), database);
    QVERIFY(m_machine->backups().isEmpty());
}

void tst_CliInstall::installsNewServices()
{
    const ServiceInfo full = serviceWithEveryField("AcmeAgent");
    const ServiceInfo plain = importedService("Plain", "Plain", "Auto");
    const CliRun run = m_machine->run({"install", write({full, plain})});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    QCOMPARE(run.out, QByteArray("2 of 2 services installed successfully.\n"));
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"AcmeAgent", "Plain"}));
    QCOMPARE(now.at(0), full);
    QVERIFY(m_machine->backups().isEmpty());
}

void tst_CliInstall::replacesExistingServicesWithYes()
{
    QVERIFY(m_machine->writeDatabase({runningService("Spooler", "Old Spooler", 300),
                                      simulatedService("Other", "Other", "C:\\o.exe")}));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();
    const ServiceInfo replacement = serviceWithEveryField("spooler");

    const CliRun run = m_machine->run({"install", write({replacement}), "--yes"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    const QString report = QString::fromUtf8(run.out);
    QVERIFY2(report.startsWith("1 of 1 services installed successfully.\n\n"
                               "The previous configuration of the replaced services was saved "
                               "to:\n"),
             qPrintable(report));
    const QString backup = backupPathIn(report);
    QCOMPARE(m_machine->backups(), QStringList{backup});
    QCOMPARE(Ledgerwell::importFromJson(backup), QList<ServiceInfo>({before.at(0)}));

    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"Other", "spooler"}));
    QCOMPARE(now.at(1), replacement);
}

void tst_CliInstall::withoutYesOrTerminalNothingChanges()
{
    QVERIFY(m_machine->writeDatabase({simulatedService("Spooler", "Old", "C:\\s.exe"),
                                      simulatedService("BITS", "Old BITS", "C:\\b.exe")}));
    const QByteArray database = readFile(m_machine->databasePath());

    const CliRun run = m_machine->run(
        {"install",
         write({importedService("New"), importedService("BITS"), importedService("Spooler")})},
        "y\n");
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(QString::fromUtf8(run.err),
             QStringLiteral("ledgerwell-cli: These services already exist and would be replaced: "
                            "BITS, Spooler. There is no terminal to confirm on: give --yes to "
                            "replace them. Nothing was changed.\n"));
    QCOMPARE(readFile(m_machine->databasePath()), database);
    QVERIFY(m_machine->backups().isEmpty());
}

void tst_CliInstall::failedCreateRestoresThePreviousService()
{
    QJsonObject old = simulatedService("Acme", "Old Acme", "C:\\acme.exe");
    old["description"] = "Kept safe.";
    QVERIFY(m_machine->writeDatabase({old}));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();

    // A service of its own process cannot start at boot: the create fails.
    const CliRun run =
        m_machine->run({"install", write({importedService("Acme", "New Acme", "Boot")}), "--yes"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.isEmpty());
    static const QRegularExpression report(QStringLiteral(
        "^0 of 1 services installed successfully\\.\\n\\nErrors:\\n"
        "Acme: create failed - [^\\n]*FAILED[^\\n]*; the previous service was restored\\n\\n"
        "The previous configuration of the replaced services was saved to:\\n[^\\n]+\\n$"));
    QVERIFY2(report.match(QString::fromUtf8(run.out)).hasMatch(), run.out.constData());
    QCOMPARE(ServiceEnumerator::enumerate(), before);
}

void tst_CliInstall::confirmsOnATerminal_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("yes") << QByteArray("y\n") << true;
    QTest::newRow("YES") << QByteArray("YES\n") << true;
    QTest::newRow("no") << QByteArray("n\n") << false;
    QTest::newRow("just return") << QByteArray("\n") << false;
    QTest::newRow("end of input") << QByteArray() << false;
}

void tst_CliInstall::confirmsOnATerminal()
{
    QFETCH(QByteArray, answer);
    QFETCH(bool, replaced);
    if (QStandardPaths::findExecutable("script").isEmpty())
        QSKIP("util-linux script, which gives the program a terminal, is missing");

    QVERIFY(m_machine->writeDatabase({simulatedService("Spooler", "Old", "C:\\s.exe")}));
    const QByteArray database = readFile(m_machine->databasePath());
    const CliRun run = m_machine->runOnTerminal(
        {"install", write({importedService("Spooler", "New Spooler")})}, answer);
    const QString shown = QString::fromUtf8(run.out);
    QVERIFY2(shown.contains("The following services already exist and will be deleted and "
                            "recreated:\r\n  Spooler\r\nTheir current configuration will be saved "
                            "to:\r\n"),
             qPrintable(shown));
    QVERIFY(shown.contains("Replace them? [y/N] "));
    QVERIFY(backupPathIn(shown).startsWith(m_machine->backupFolder()));
    if (replaced) {
        QCOMPARE(run.exitCode, 0);
        QVERIFY(shown.contains("1 of 1 services installed successfully."));
        QCOMPARE(ServiceEnumerator::enumerate().constFirst().displayName,
                 QStringLiteral("New Spooler"));
        QCOMPARE(m_machine->backups().size(), 1);
    } else {
        QCOMPARE(run.exitCode, 2);
        QVERIFY(shown.contains("ledgerwell-cli: Nothing was changed."));
        QCOMPARE(readFile(m_machine->databasePath()), database);
        QVERIFY(m_machine->backups().isEmpty());
    }
}

void tst_CliInstall::installsOnlyTheNamedServices()
{
    const QString path =
        write({importedService("Alpha"), importedService("Beta"), importedService("Gamma")});
    CliRun run = m_machine->run({"install", path, "--service", "gamma", "--service", "ALPHA"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("2 of 2 services installed successfully.\n"));
    QCOMPARE(serviceNames(ServiceEnumerator::enumerate()), QStringList({"Alpha", "Gamma"}));

    run = m_machine->run({"install", path, "--service", "Delta"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(QString::fromUtf8(run.err),
             "ledgerwell-cli: " + path + " has no service named \"Delta\"; nothing was changed.\n");
    QCOMPARE(serviceNames(ServiceEnumerator::enumerate()), QStringList({"Alpha", "Gamma"}));
}

void tst_CliInstall::interruptStopsAfterTheServiceInHand_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("termination request") << int(SIGTERM);
    QTest::newRow("Ctrl+C") << int(SIGINT);
    // The terminal closed, or the ssh session dropped.
    QTest::newRow("hang-up") << int(SIGHUP);
}

void tst_CliInstall::interruptStopsAfterTheServiceInHand()
{
    QFETCH(int, signal);
    // The first service takes a while to stop; the interrupt comes while it does.
    QVERIFY(m_machine->writeDatabase({runningService("Slow", "Old Slow", 1500)}));
    const QString path = write({importedService("Slow", "New Slow"), importedService("Next")});

    QProcess process;
    process.setProcessEnvironment(m_machine->environment());
    process.start(cliProgram(), {"install", path, "--yes"});
    QVERIFY(process.waitForStarted());
    // The backup is written just before the first service is stopped.
    QTRY_VERIFY_WITH_TIMEOUT(!m_machine->backups().isEmpty(), 10000);
    QCOMPARE(::kill(pid_t(process.processId()), signal), 0);
    QVERIFY(process.waitForFinished(30000));

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(process.readAllStandardOutput().startsWith("1 of 2 services installed successfully."));
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"Slow"}));
    QCOMPARE(now.constFirst().displayName, QStringLiteral("New Slow"));
}

QString tst_CliInstall::programWithSlowDelete(const QByteArray &whileDeleting) const
{
    // The program copied into a folder of its own, where it finds an sc that runs the shell
    // commands whileDeleting and takes a second before it deletes, then does what sc does.
    const QString folder = m_machine->filePath("program");
    const QString program = QDir(folder).filePath("ledgerwell-cli");
    const QString sc = QDir(folder).filePath("sc");
    const QString tools = QFileInfo(cliProgram()).absolutePath();
    const QByteArray slowSc = "#!/bin/sh\nif [ \"$1\" = delete ]; then " + whileDeleting
                              + "; sleep 1; fi\nexec '" + tools.toUtf8() + "/sc' \"$@\"\n";
    const bool made = QDir().mkpath(folder) && QFile::copy(cliProgram(), program)
                      && writeFile(sc, slowSc)
                      && QFile::link(QDir(tools).filePath("reg"), QDir(folder).filePath("reg"));
    const auto executable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    return made && QFile::setPermissions(program, executable)
                   && QFile::setPermissions(sc, executable)
               ? program
               : QString();
}

void tst_CliInstall::ctrlCOnTheTerminalLeavesTheToolInHandAlone()
{
    // A terminal sends Ctrl+C to every process of its foreground job: the program and the sc it
    // runs. Here it comes while a delete is running.
    const QString marker = m_machine->filePath("deleting");
    const QString program = programWithSlowDelete(": > '" + marker.toUtf8() + "'");
    QVERIFY(!program.isEmpty());
    QVERIFY(m_machine->writeDatabase({simulatedService("Old", "Old one", "C:\\old.exe")}));
    const QString path = write({importedService("Old", "New one"), importedService("Next")});
    QProcess process;
    process.setProcessEnvironment(m_machine->environment());
    process.setChildProcessModifier([] { ::setpgid(0, 0); }); // a job of its own, as in a shell
    process.start(program, {"install", path, "--yes"});
    QVERIFY(process.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
    QCOMPARE(::kill(-pid_t(process.processId()), SIGINT), 0);
    QVERIFY(process.waitForFinished(30000));

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    const QByteArray report = process.readAllStandardOutput();
    QVERIFY2(report.startsWith("1 of 2 services installed successfully."), report.constData());
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"Old"}));
    QCOMPARE(now.constFirst().displayName, QStringLiteral("New one"));
}

void tst_CliInstall::progressOnATerminalEndsWithTheInterrupt()
{
    // Ctrl+C while the first service is deleted: the terminal shows no start of the second.
    const QString program = programWithSlowDelete("kill -INT $PPID");
    QVERIFY(!program.isEmpty());
    QVERIFY(m_machine->writeDatabase({simulatedService("Old", "Old one", "C:\\old.exe")}));
    const QString path = write({importedService("Old", "New one"), importedService("Next")});

    const CliRun run = m_machine->runOnTerminal({"install", path, "--yes"}, QByteArray(), program);
    QCOMPARE(run.exitCode, 1);
    const QString screen = QString::fromUtf8(run.out);
    QVERIFY2(screen.contains("Installing Old...") && !screen.contains("Installing Next..."),
             qPrintable(screen));
    QVERIFY2(screen.contains("1 of 2 services installed successfully."), qPrintable(screen));
}

QTEST_GUILESS_MAIN(tst_CliInstall)
#include "tst_cli_install.moc"
