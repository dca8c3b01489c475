#include "InstalledServices.h"
#include "ServiceDiff.h"

#include <QTest>

using ServiceDiff::Field;

namespace {

ServiceInfo sampleService()
{
    ServiceInfo s;
    s.serviceName = QStringLiteral("Spooler");
    s.displayName = QStringLiteral("Print Spooler");
    s.description = QStringLiteral("Spools print jobs.");
    s.binaryPath = QStringLiteral("C:\\Windows\\System32\\spoolsv.exe");
    s.startType = QStringLiteral("Auto");
    s.serviceType = QStringLiteral("Own");
    s.errorControl = QStringLiteral("Normal");
    s.accountName = QStringLiteral("LocalSystem");
    s.failureResetDays = 1;
    s.firstFailure = {QStringLiteral("restart"), 60000};
    s.secondFailure = {QStringLiteral("restart"), 60000};
    s.subsequentFailure = {QStringLiteral("none"), 0};
    s.dependencies = {QStringLiteral("RPCSS"), QStringLiteral("http")};
    s.sidType = QStringLiteral("Unrestricted");
    s.preShutdownTimeout = 180000;
    s.requiredPrivileges = {QStringLiteral("SeChangeNotifyPrivilege")};
    s.launchProtected = QStringLiteral("None");
    return s;
}

QStringList labels(const QList<Field> &fields)
{
    QStringList result;
    for (const Field &field : fields)
        result.append(field.label);
    return result;
}

} // namespace

class tst_ServiceDiff final : public QObject
{
    Q_OBJECT

private slots:
    void formatting_data();
    void formatting();
    void compareListsEveryFieldInOrder();
    void identicalRecordsHaveNoDifferences();
    void differences_data();
    void differences();
    void newServiceShowsOnlyItsFields();
    void findInstalledIgnoresCase();
    void importStatus_data();
    void importStatus();
    void importStatusOrder();
};

void tst_ServiceDiff::formatting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    QTest::newRow("list") << ServiceDiff::formatList({"RPCSS", "+NetworkProvider"})
                          << "RPCSS, +NetworkProvider";
    QTest::newRow("empty list") << ServiceDiff::formatList({}) << "";
    QTest::newRow("set action") << ServiceDiff::formatFailureAction({"restart", 60000})
                                << "restart (60000 ms)";
    QTest::newRow("run_command") << ServiceDiff::formatFailureAction({"run_command", 0})
                                 << "run_command (0 ms)";
    QTest::newRow("none with delay") << ServiceDiff::formatFailureAction({"none", 5000}) << "none";
    QTest::newRow("empty type") << ServiceDiff::formatFailureAction({"", 7}) << "none";
    QTest::newRow("other case is a word")
        << ServiceDiff::formatFailureAction({"None", 0}) << "None (0 ms)";
    QTest::newRow("placeholder in the word")
        << ServiceDiff::formatFailureAction({"x%1", 5}) << "x%1 (5 ms)";
    QTest::newRow("reset days") << ServiceDiff::formatResetDays(1) << "1 days";
    QTest::newRow("pre-shutdown") << ServiceDiff::formatPreShutdownTimeout(180000) << "180000 ms";
}

void tst_ServiceDiff::formatting()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void tst_ServiceDiff::compareListsEveryFieldInOrder()
{
    const ServiceInfo installed = sampleService();
    ServiceInfo imported = installed;
    imported.failureResetDays = 0;

    const QList<Field> fields = ServiceDiff::compare(installed, imported);
    QCOMPARE(labels(fields), QStringList({"Service Name",         "Display Name",
                                          "Description",          "Binary Path",
                                          "Startup Type",         "Service Type",
                                          "Error Control",        "Account",
                                          "Dependencies",         "Load Order Group",
                                          "Failure Reset",        "First Failure",
                                          "Second Failure",       "Subsequent Failures",
                                          "Failure Command",      "Failure Params",
                                          "Reboot Message",       "SID Type",
                                          "Pre-Shutdown Timeout", "Required Privileges",
                                          "Launch Protected"}));
    QCOMPARE(fields.at(10).current, QStringLiteral("1 days"));
    QCOMPARE(fields.at(10).imported, QStringLiteral("0 days"));
    QCOMPARE(fields.at(8).current, QStringLiteral("RPCSS, http"));
    QCOMPARE(fields.at(18).current, QStringLiteral("180000 ms"));
}

void tst_ServiceDiff::identicalRecordsHaveNoDifferences()
{
    QVERIFY(ServiceDiff::differences(sampleService(), sampleService()).isEmpty());
    QVERIFY(ServiceDiff::differences(ServiceInfo(), ServiceInfo()).isEmpty());
}

void tst_ServiceDiff::differences_data()
{
    QTest::addColumn<ServiceInfo>("imported");
    QTest::addColumn<QStringList>("differingLabels");

    ServiceInfo s = sampleService();
    s.secondFailure = {QStringLiteral("none"), 0};
    s.subsequentFailure = {QString(), 5000};
    QTest::newRow("none and empty action are equal") << s << QStringList{"Second Failure"};

    s = sampleService();
    s.dependencies = {QStringLiteral("http"), QStringLiteral("RPCSS")};
    QTest::newRow("dependency order") << s << QStringList{"Dependencies"};

    s = sampleService();
    s.dependencies = {QStringLiteral("RPCSS, http")};
    QTest::newRow("joined entry reads the same") << s << QStringList();

    s = sampleService();
    s.startType = QStringLiteral("auto");
    s.launchProtected = QString();
    s.description += u' ';
    QTest::newRow("exact texts") << s
                                 << QStringList{"Description", "Startup Type", "Launch Protected"};

    s = sampleService();
    s.firstFailure.delayMs = 120000;
    s.preShutdownTimeout = 0;
    s.requiredPrivileges.append(QStringLiteral("SeBackupPrivilege"));
    QTest::newRow("numbers and lists")
        << s << QStringList{"First Failure", "Pre-Shutdown Timeout", "Required Privileges"};
}

void tst_ServiceDiff::differences()
{
    QFETCH(ServiceInfo, imported);
    QFETCH(QStringList, differingLabels);
    const QList<Field> fields = ServiceDiff::differences(sampleService(), imported);
    QCOMPARE(labels(fields), differingLabels);
    for (const Field &field : fields)
        QVERIFY(field.current != field.imported);
    QCOMPARE(ServiceDiff::countDifferences(sampleService(), imported), int(differingLabels.size()));
}

void tst_ServiceDiff::newServiceShowsOnlyItsFields()
{
    ServiceInfo s = sampleService();
    s.description.clear();
    s.failureCommand = QStringLiteral("C:\\fix.cmd");
    s.failureRebootMessage = QStringLiteral("Rebooting");

    const QList<Field> fields = ServiceDiff::newServiceFields(s);
    QCOMPARE(labels(fields),
             QStringList({"Service Name", "Display Name", "Binary Path", "Startup Type",
                          "Service Type", "Error Control", "Account", "Dependencies",
                          "First Failure", "Second Failure", "Subsequent Failures", "SID Type"}));
    for (const Field &field : fields)
        QCOMPARE(field.current, QString(QChar(0x2014)));
    QCOMPARE(fields.at(8).imported, QStringLiteral("restart (60000 ms)"));
    QCOMPARE(fields.at(10).imported, QStringLiteral("none"));

    // The recovery rows are there even for a record that holds nothing else.
    ServiceInfo bare;
    bare.serviceName = QStringLiteral("New");
    QCOMPARE(
        labels(ServiceDiff::newServiceFields(bare)),
        QStringList({"Service Name", "First Failure", "Second Failure", "Subsequent Failures"}));
}

void tst_ServiceDiff::findInstalledIgnoresCase()
{
    ServiceInfo other;
    other.serviceName = QStringLiteral("Spool");
    ServiceInfo first = sampleService();
    ServiceInfo second = sampleService();
    second.displayName = QStringLiteral("Second");
    const QList<ServiceInfo> installed{other, first, second};

    // Windows takes names in any case for the same service.
    for (const QString &name : {QStringLiteral("Spooler"), QStringLiteral("SPOOLER")}) {
        const ServiceInfo *found = ServiceDiff::findInstalled(installed, name);
        QVERIFY(found);
        QCOMPARE(found->displayName, QStringLiteral("Print Spooler"));
    }
    QCOMPARE(ServiceDiff::findInstalled(installed, QStringLiteral("Spoolers")), nullptr);
    QCOMPARE(ServiceDiff::findInstalled(installed, QStringLiteral("Spo")), nullptr);
    QCOMPARE(ServiceDiff::findInstalled({}, QStringLiteral("Spooler")), nullptr);
}

void tst_ServiceDiff::importStatus_data()
{
    QTest::addColumn<ServiceInfo>("imported");
    QTest::addColumn<QString>("text");

    QTest::newRow("installed as it is") << sampleService() << "Same";
    ServiceInfo s = sampleService();
    s.displayName = QStringLiteral("Spooler (new)");
    s.dependencies.clear();
    QTest::newRow("two fields differ") << s << "Differs (2)";
    s = sampleService();
    s.serviceName = QStringLiteral("SPOOLER");
    QTest::newRow("name in other case is the same service") << s << "Differs (1)";
    s = sampleService();
    s.serviceName = QStringLiteral("Spooler2");
    QTest::newRow("not installed") << s << "New";
}

void tst_ServiceDiff::importStatus()
{
    QFETCH(ServiceInfo, imported);
    QFETCH(QString, text);

    // Of two installed services that Windows takes for one, the first counts, as in the preview.
    ServiceInfo shadowed = sampleService();
    shadowed.serviceName = QStringLiteral("spooler");
    shadowed.displayName = QStringLiteral("Shadowed");
    const InstalledServices installed({ServiceInfo(), sampleService(), shadowed});
    QCOMPARE(installed.find(QStringLiteral("SPOOLER")), &installed.services().at(1));
    QCOMPARE(ImportStatus::of(installed, imported).text(), text);
}

void tst_ServiceDiff::importStatusOrder()
{
    using Kind = ImportStatus::Kind;
    const QList<ImportStatus> ordered = {
        {Kind::Same, 0}, {Kind::Differs, 1}, {Kind::Differs, 3}, {Kind::New, 0}};
    for (qsizetype i = 0; i < ordered.size(); ++i) {
        for (qsizetype j = 0; j < ordered.size(); ++j)
            QCOMPARE(ordered.at(i) < ordered.at(j), i < j);
    }
}

QTEST_GUILESS_MAIN(tst_ServiceDiff)
#include "tst_servicediff.moc"
