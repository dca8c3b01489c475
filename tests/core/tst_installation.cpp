#include "Installation.h"

#include "Ledgerwell.h"
#include "ServiceEnumerator.h"
#include "ServiceRecords.h"
#include "SimulatedMachine.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTest>

namespace {

using Ending = Installation::Report::Ending;
using Phase = Installation::Phase;

// What the hooks of one run were handed.
struct Seen
{
    QList<QStringList> confirmations; // names, then the backup path
    QStringList steps;                // "Checking Acme", "Saving", "Installing Acme", ...
    QList<Installation::Report> reports;
};

QString stepText(const Installation::Progress &progress)
{
    static const char *const names[] = {"Checking", "Saving", "Installing"};
    QString text = QLatin1String(names[int(progress.phase)]);
    if (!progress.serviceName.isEmpty())
        text += u' ' + progress.serviceName;
    return text + QStringLiteral(" %1/%2").arg(progress.index).arg(progress.count);
}

// Hooks that note everything, confirm with answer and cancel at the step named cancelAt.
Installation::Hooks noting(Seen &seen, bool answer = true, const QString &cancelAt = QString())
{
    Installation::Hooks hooks;
    hooks.confirmReplace = [&seen, answer](const QStringList &names, const QString &path) {
        seen.confirmations.append(names + QStringList{path});
        return answer;
    };
    hooks.progress = [&seen, cancelAt](const Installation::Progress &progress) {
        seen.steps.append(stepText(progress));
        return seen.steps.last() != cancelAt;
    };
    hooks.report = [&seen](const Installation::Report &report) {
        seen.reports.append(report);
    };
    return hooks;
}

ServiceInstaller::Timeouts shortWaits()
{
    ServiceInstaller::Timeouts timeouts;
    timeouts.stopWaitMs = 800;
    timeouts.removalWaitMs = 800;
    timeouts.pollMs = 50;
    return timeouts;
}

QStringList commandLines(const QList<ServiceCommand> &commands)
{
    QStringList lines;
    for (const ServiceCommand &command : commands)
        lines.append(command.program + u' ' + command.argumentTexts().join(u' '));
    return lines;
}

} // namespace

// The whole installation flow through its hooks, with the stand-in tools on a machine of the
// test's own.
class tst_Installation final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void replacesAfterConfirmationAndRefusesUnusableNames();
    void endsWithoutChanges_data();
    void endsWithoutChanges();
    void nothingSelected();
    void cancelDuringTheInstallationKeepsWhatIsDone();
    void backupThatCannotBeWrittenChangesNothing();
    void planListsTheCommandsAndChangesNothing();
    void commandsForReplaceEachNameOnce();

private:
    std::unique_ptr<SimulatedMachine> m_env;
};

void tst_Installation::init()
{
    m_env = std::make_unique<SimulatedMachine>(SimulatedMachine::Tools::StandInsOnPath);
    QVERIFY(m_env->isValid());
    QVERIFY(m_env->writeDatabase({simulatedService("Spooler", "Old Spooler", "C:\\old.exe"),
                                  simulatedService("Ac", "Short", "C:\\ac.exe")}));
}

void tst_Installation::cleanup()
{
    m_env.reset();
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
}

void tst_Installation::replacesAfterConfirmationAndRefusesUnusableNames()
{
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();
    ServiceInfo nameless = importedService(QString(), "Nameless");
    // Windows would take only the part before the NUL: the service "Ac".
    ServiceInfo withNul = importedService(QStringLiteral("Ac") + QChar(0) + "me", "Acme Agent");
    const QList<ServiceInfo> records{importedService("New"), nameless,
                                     importedService("SPOOLER", "New Spooler"), withNul,
                                     importedService("a/b", QString())};

    Seen seen;
    Installation installation(noting(seen));
    installation.setTimeouts(shortWaits());
    const Installation::Report report = installation.run(Installation::numbered(records));

    QCOMPARE(seen.confirmations.size(), 1);
    QCOMPARE(seen.confirmations.first().first(), QStringLiteral("SPOOLER"));
    const QString backup = seen.confirmations.first().last();
    QCOMPARE(seen.confirmations.first().size(), 2);
    QCOMPARE(QFileInfo(backup).absolutePath(), ServiceInstaller::backupFolder());
    QCOMPARE(seen.steps, QStringList({"Checking New 0/2", "Checking SPOOLER 1/2", "Saving 0/1",
                                      "Installing New 0/2", "Installing SPOOLER 1/2"}));

    QCOMPARE(report.ending, Ending::Finished);
    QVERIFY(!report.isRefusal());
    QCOMPARE(report.total, 5);
    QCOMPARE(report.installed, 2);
    QCOMPARE(report.notInstalled(), 3);
    QCOMPARE(report.backupPath, backup);
    QCOMPARE(report.errorLines,
             QStringList({"record 2 (\"Nameless\") has no service name; it was not installed",
                          "record 4 (\"Acme Agent\") has a service name with a NUL character; "
                          "it was not installed",
                          "record 5 (no display name) has a service name with \"/\" or \"\\\"; "
                          "it was not installed"}));
    QCOMPARE(report.text, QStringLiteral("2 of 5 services installed successfully.\n\nErrors:\n")
                              + report.errorLines.join(u'\n')
                              + "\n\nThe previous configuration of the replaced services was "
                                "saved to:\n"
                              + QDir::toNativeSeparators(backup));
    QCOMPARE(seen.reports.size(), 1);
    QCOMPARE(seen.reports.first().text, report.text);

    QCOMPARE(Ledgerwell::importFromJson(backup), QList<ServiceInfo>({before.at(0)}));
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"Ac", "New", "SPOOLER"}));
    QCOMPARE(now.at(0), before.at(1)); // never reached by the record with the NUL
}

void tst_Installation::endsWithoutChanges_data()
{
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("cancelAt");
    QTest::addColumn<bool>("toolMissing");
    QTest::addColumn<int>("ending");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("text");

    QTest::newRow("declined") << false << "" << false << int(Ending::Declined)
                              << QStringList{"Checking New 0/2", "Checking Spooler 1/2"} << "";
    QTest::newRow("cancelled in the existence pass")
        << true << "Checking Spooler 1/2" << false << int(Ending::Cancelled)
        << QStringList{"Checking New 0/2", "Checking Spooler 1/2"} << "";
    QTest::newRow("cancelled before the backup")
        << true << "Saving 0/1" << false << int(Ending::Cancelled)
        << QStringList{"Checking New 0/2", "Checking Spooler 1/2", "Saving 0/1"} << "";
    QTest::newRow("tool missing") << true << "" << true << int(Ending::QueryFailed)
                                  << QStringList{"Checking New 0/2"}
                                  << "Cannot find out which services already exist, so nothing "
                                     "was changed:\n\"sc\" could not be started";
}

void tst_Installation::endsWithoutChanges()
{
    QFETCH(bool, answer);
    QFETCH(QString, cancelAt);
    QFETCH(bool, toolMissing);
    QFETCH(int, ending);
    QFETCH(QStringList, steps);
    QFETCH(QString, text);
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();
    if (toolMissing)
        qputenv("PATH", QFile::encodeName(m_env->filePath("empty")));

    Seen seen;
    Installation installation(noting(seen, answer, cancelAt));
    const Installation::Report report = installation.run(
        Installation::numbered({importedService("New"), importedService("Spooler", "New")}));
    QCOMPARE(int(report.ending), ending);
    QVERIFY(report.isRefusal());
    QCOMPARE(seen.steps, steps);
    QVERIFY2(text.isEmpty() ? report.text.isEmpty() : report.text.startsWith(text),
             qPrintable(report.text));
    QCOMPARE(report.installed, 0);
    QVERIFY(report.backupPath.isEmpty());
    QCOMPARE(seen.reports.size(), 1);
    QCOMPARE(ServiceEnumerator::enumerate(), before);
    QVERIFY(!QFileInfo::exists(ServiceInstaller::backupFolder()));
}

void tst_Installation::nothingSelected()
{
    Seen seen;
    const Installation::Report report = Installation(noting(seen)).run({});
    QCOMPARE(report.ending, Ending::NothingSelected);
    QCOMPARE(report.text, QStringLiteral("No services selected."));
    QVERIFY(seen.steps.isEmpty());

    // Without a confirmation hook nothing is replaced.
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();
    const Installation::Report declined =
        Installation({}).run(Installation::numbered({importedService("Spooler")}));
    QCOMPARE(declined.ending, Ending::Declined);
    QCOMPARE(ServiceEnumerator::enumerate(), before);
}

void tst_Installation::cancelDuringTheInstallationKeepsWhatIsDone()
{
    Seen seen;
    Installation installation(noting(seen, true, "Installing Second 1/3"));
    const Installation::Report report = installation.run(Installation::numbered(
        {importedService("First"), importedService("Second"), importedService("Third")}));
    QCOMPARE(report.ending, Ending::Finished);
    QCOMPARE(report.installed, 1);
    QCOMPARE(report.notTouched, QStringList({"Second", "Third"}));
    QCOMPARE(report.text, QStringLiteral("1 of 3 services installed successfully.\n\n"
                                         "The installation was cancelled. These services were "
                                         "not touched:\nSecond\nThird"));
    QCOMPARE(serviceNames(ServiceEnumerator::enumerate()), QStringList({"Spooler", "Ac", "First"}));
}

void tst_Installation::backupThatCannotBeWrittenChangesNothing()
{
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();
    QFile blocker(m_env->filePath("blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    Seen seen;
    Installation installation(noting(seen));
    installation.setBackupFolder(m_env->filePath("blocker/backups"));
    const Installation::Report report =
        installation.run(Installation::numbered({importedService("Spooler", "New")}));
    QCOMPARE(report.ending, Ending::BackupFailed);
    QCOMPARE(report.text,
             QStringLiteral("Cannot create the folder %1: Not a directory.\n\nNothing was changed.")
                 .arg(QDir::toNativeSeparators(m_env->filePath("blocker/backups"))));
    QVERIFY(report.backupPath.isEmpty());
    QCOMPARE(ServiceEnumerator::enumerate(), before);
}

void tst_Installation::planListsTheCommandsAndChangesNothing()
{
    const QJsonArray before = m_env->databaseEntries();
    ServiceInfo described = importedService("New", "New One");
    described.description = QStringLiteral("Says \"hi\"");
    QList<ServiceCommand> commands;
    Installation::Report report;
    Seen seen;
    Installation installation(noting(seen));
    QVERIFY(installation.plan(
        Installation::numbered({importedService("spooler"), importedService(""), described}),
        &commands, &report));
    QCOMPARE(commandLines(commands),
             QStringList({"sc stop spooler", "sc delete spooler",
                          "sc create spooler binPath= C:\\svc.exe start= demand type= own error= "
                          "normal obj= LocalSystem",
                          "sc create New binPath= C:\\svc.exe start= demand type= own error= "
                          "normal obj= LocalSystem DisplayName= New One",
                          "sc description New Says \"hi\""}));
    QCOMPARE(report.errorLines,
             QStringList({"record 2 (no display name) has no service name; it was not "
                          "installed"}));
    QVERIFY(seen.confirmations.isEmpty());
    QCOMPARE(m_env->databaseEntries(), before);

    qputenv("PATH", QFile::encodeName(m_env->filePath("empty")));
    QVERIFY(!installation.plan(Installation::numbered({described}), &commands, &report));
    QCOMPARE(report.ending, Ending::QueryFailed);
}

void tst_Installation::commandsForReplaceEachNameOnce()
{
    const QList<ServiceCommand> commands = Installation::commandsFor(
        Installation::numbered({importedService("Acme"), importedService("ACME")}), {"acme"});
    QStringList steps;
    for (const ServiceCommand &command : commands)
        steps.append(command.stepName() + u' ' + command.argumentTexts().value(1));
    QCOMPARE(steps, QStringList({"stop Acme", "delete Acme", "create Acme", "create ACME"}));
}

QTEST_GUILESS_MAIN(tst_Installation)
#include "tst_installation.moc"
