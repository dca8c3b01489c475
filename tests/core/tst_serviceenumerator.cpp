#include "ServiceEnumerator.h"
#include "ServiceRecords.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(FailureAction)

char *toString(const FailureAction &action)
{
    return QTest::toString(QStringLiteral("%1/%2").arg(action.type).arg(action.delayMs));
}

// Enumeration over the simulated service database, written by each test.
class tst_ServiceEnumerator final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fullRecord();
    void words_data();
    void words();
    void resetPeriod_data();
    void resetPeriod();
    void actionCount_data();
    void actionCount();
    void largePreShutdownTimeout();
    void commandSplit_data();
    void commandSplit();
    void listing();
    void failingLevel_data();
    void failingLevel();
    void damagedDatabase_data();
    void damagedDatabase();
    void missingDatabase();
    void sampleOnFirstUse();

private:
    QList<ServiceInfo> enumerateServices(const QJsonArray &services);
    ServiceInfo enumerateOne(const QJsonObject &service);
    QString databasePath() const { return m_dir->filePath(QStringLiteral("scm.json")); }

    std::unique_ptr<QTemporaryDir> m_dir;
};

namespace {

QJsonObject action(int type, int delayMs)
{
    return {{"type", type}, {"delayMs", delayMs}};
}

// The database entry from which the enumeration must make everyFieldRecord().
QJsonObject fullService()
{
    return QJsonObject{
        {"name", "Full"},
        {"displayName", "Full Service"},
        {"serviceType", 0x110},
        {"startType", 2},
        {"errorControl", 2},
        {"delayedAutoStart", true},
        {"binaryPath", "\"C:\\Program Files\\Full\\full.exe\" -service \"a b\""},
        {"loadOrderGroup", "NetworkProvider"},
        {"dependencies", QJsonArray{"RPCSS", "+TDI"}},
        {"account", "NT AUTHORITY\\LocalService"},
        {"description", "Keeps \"everything\" in order — Größe, 東京"},
        {"failureActions", QJsonObject{{"resetPeriod", 172800},
                                       {"rebootMessage", "Going down"},
                                       {"command", "C:\\tools\\notify.exe --to admin"},
                                       {"actions", QJsonArray{action(1, 60000), action(3, 1000),
                                                              action(2, 5000), action(1, 9)}}}},
        {"sidType", 3},
        {"preshutdownTimeoutMs", 180000},
        {"requiredPrivileges", QJsonArray{"SeChangeNotifyPrivilege", "SeImpersonatePrivilege"}},
        {"launchProtected", 2},
        {"state", "running"},
    };
}

QJsonObject withFailureActions(const QJsonObject &failureActions)
{
    return {{"name", "S"}, {"serviceType", 0x10}, {"failureActions", failureActions}};
}

} // namespace

void tst_ServiceEnumerator::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    qputenv("LEDGERWELL_SCM_DB", QFile::encodeName(databasePath()));
}

void tst_ServiceEnumerator::cleanup()
{
    qunsetenv("LEDGERWELL_SCM_DB");
    m_dir.reset();
}

QList<ServiceInfo> tst_ServiceEnumerator::enumerateServices(const QJsonArray &services)
{
    QFile file(databasePath());
    if (!file.open(QIODevice::WriteOnly))
        return {};
    file.write(QJsonDocument(QJsonObject{{"services", services}}).toJson());
    file.close();
    return ServiceEnumerator::enumerate();
}

ServiceInfo tst_ServiceEnumerator::enumerateOne(const QJsonObject &service)
{
    const QList<ServiceInfo> services = enumerateServices({service});
    return services.size() == 1 ? services.first() : ServiceInfo();
}

void tst_ServiceEnumerator::fullRecord()
{
    const ServiceInfo info = enumerateOne(fullService());
    const ServiceInfo expected = everyFieldRecord();
    // Field by field first, so that a failure names the field.
    QCOMPARE(info.serviceName, expected.serviceName);
    QCOMPARE(info.startType, expected.startType);
    QCOMPARE(info.dependencies, expected.dependencies);
    QCOMPARE(info.failureCommand, expected.failureCommand);
    QCOMPARE(info.failureCommandParams, expected.failureCommandParams);
    QCOMPARE(info.subsequentFailure.type, expected.subsequentFailure.type);
    QCOMPARE(info.description, expected.description);
    QVERIFY(info == expected);
}

void tst_ServiceEnumerator::words_data()
{
    QTest::addColumn<int>("serviceType");
    QTest::addColumn<int>("startType");
    QTest::addColumn<bool>("delayed");
    QTest::addColumn<QString>("typeWord");
    QTest::addColumn<QString>("startWord");

    QTest::newRow("own interactive") << 0x110 << 2 << false << "Own"
                                     << "Auto";
    QTest::newRow("own and share") << 0x30 << 2 << true << "Own"
                                   << "DelayedAuto";
    QTest::newRow("share") << 0x20 << 3 << false << "Share"
                           << "Manual";
    QTest::newRow("manual with delayed flag") << 0x20 << 3 << true << "Share"
                                              << "Manual";
    QTest::newRow("disabled with delayed flag") << 0x10 << 4 << true << "Own"
                                                << "Disabled";
    QTest::newRow("unknown start") << 0x10 << 7 << false << "Own"
                                   << "Unknown";
}

void tst_ServiceEnumerator::words()
{
    QFETCH(int, serviceType);
    QFETCH(int, startType);
    QFETCH(bool, delayed);
    const ServiceInfo info = enumerateOne({{"name", "S"},
                                           {"serviceType", serviceType},
                                           {"startType", startType},
                                           {"delayedAutoStart", delayed}});
    QTEST(info.serviceType, "typeWord");
    QTEST(info.startType, "startWord");
}

void tst_ServiceEnumerator::resetPeriod_data()
{
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<int>("days");
    QTest::newRow("one hour") << qint64(3600) << 0;
    QTest::newRow("INFINITE") << qint64(0xFFFFFFFF) << 0;
    QTest::newRow("three days") << qint64(259200) << 3;
    QTest::newRow("just under two days") << qint64(172799) << 1;
}

void tst_ServiceEnumerator::resetPeriod()
{
    QFETCH(qint64, seconds);
    const ServiceInfo info = enumerateOne(
        withFailureActions({{"resetPeriod", seconds}, {"actions", QJsonArray{action(1, 1000)}}}));
    QCOMPARE(info.serviceName, QStringLiteral("S"));
    QTEST(info.failureResetDays, "days");
}

void tst_ServiceEnumerator::actionCount_data()
{
    QTest::addColumn<QJsonArray>("actions");
    QTest::addColumn<FailureAction>("first");
    QTest::addColumn<FailureAction>("second");
    QTest::addColumn<FailureAction>("subsequent");

    const FailureAction unset;
    QTest::newRow("none") << QJsonArray() << unset << unset << unset;
    QTest::newRow("one") << QJsonArray{action(2, 500)} << FailureAction{"reboot", 500} << unset
                         << unset;
    QTest::newRow("delay beyond int")
        << QJsonArray{action(1, 0), QJsonObject{{"type", 1}, {"delayMs", 3000000000.0}}}
        << FailureAction{"restart", 0} << FailureAction{"restart", 2147483647} << unset;
    QTest::newRow("four") << QJsonArray{action(1, 1), action(0, 2), action(4, 3), action(2, 4)}
                          << FailureAction{"restart", 1} << FailureAction{"none", 2}
                          << FailureAction{"none", 3};
}

void tst_ServiceEnumerator::actionCount()
{
    QFETCH(QJsonArray, actions);
    const ServiceInfo info = enumerateOne(withFailureActions({{"actions", actions}}));
    QCOMPARE(info.serviceName, QStringLiteral("S"));
    QTEST(info.firstFailure, "first");
    QTEST(info.secondFailure, "second");
    QTEST(info.subsequentFailure, "subsequent");
}

void tst_ServiceEnumerator::largePreShutdownTimeout()
{
    // Beyond what the record's int holds: the largest it can hold, never a negative time-out.
    const ServiceInfo info = enumerateOne(
        {{"name", "S"}, {"serviceType", 0x10}, {"preshutdownTimeoutMs", 4294967295.0}});
    QCOMPARE(info.serviceName, QStringLiteral("S"));
    QCOMPARE(info.preShutdownTimeout, 2147483647);
}

void tst_ServiceEnumerator::commandSplit_data()
{
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("params");

    QTest::newRow("program and two arguments") << "notify.exe -a b"
                                               << "notify.exe"
                                               << "-a b";
    QTest::newRow("quoted path with a blank") << "\"C:\\Program Files\\x.exe\" /r"
                                              << "\"C:\\Program"
                                              << "Files\\x.exe\" /r";
    QTest::newRow("no blank") << "C:\\x.exe"
                              << "C:\\x.exe"
                              << "";
    QTest::newRow("leading blank") << " x.exe -a"
                                   << " x.exe -a"
                                   << "";
    QTest::newRow("trailing blank") << "x.exe "
                                    << "x.exe"
                                    << "";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void tst_ServiceEnumerator::commandSplit()
{
    QFETCH(QString, commandLine);
    const ServiceInfo info = enumerateOne(withFailureActions({{"command", commandLine}}));
    QCOMPARE(info.serviceName, QStringLiteral("S"));
    QTEST(info.failureCommand, "command");
    QTEST(info.failureCommandParams, "params");
}

void tst_ServiceEnumerator::listing()
{
    const QJsonObject unopenable{
        {"name", "Locked"}, {"serviceType", 0x10}, {"faults", QJsonObject{{"cannotOpen", true}}}};
    QJsonObject unreadable = fullService();
    unreadable["name"] = "Unreadable";
    unreadable["faults"] = QJsonObject{{"configUnreadable", true}};

    const QList<ServiceInfo> services = enumerateServices({
        QJsonObject{{"name", "Zeta"}, {"displayName", "Last by name"}, {"serviceType", 0x20}},
        QJsonObject{{"name", "kbd"}, {"serviceType", 0x01}},  // kernel driver
        QJsonObject{{"name", "Ntfs"}, {"serviceType", 0x02}}, // file system driver
        unopenable,
        unreadable,
        QJsonObject{{"name", "Alpha"}, {"serviceType", 0x10}},
    });

    QStringList names;
    for (const ServiceInfo &info : services)
        names.append(info.serviceName);
    // The database's order, without drivers and without the service that cannot be opened.
    QCOMPARE(names, QStringList({"Zeta", "Unreadable", "Alpha"}));
    QCOMPARE(services.at(0).displayName, QStringLiteral("Last by name"));
    QCOMPARE(services.at(2).displayName, QStringLiteral("Alpha"));

    ServiceInfo namesOnly;
    namesOnly.serviceName = "Unreadable";
    namesOnly.displayName = "Full Service";
    QVERIFY(services.at(1) == namesOnly);
}

void tst_ServiceEnumerator::failingLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::newRow("description") << 1;
    QTest::newRow("failure actions") << 2;
    QTest::newRow("delayed auto start") << 3;
    QTest::newRow("SID type") << 5;
    QTest::newRow("required privileges") << 6;
    QTest::newRow("pre-shutdown") << 7;
    QTest::newRow("launch protection") << 12;
}

void tst_ServiceEnumerator::failingLevel()
{
    QFETCH(int, level);
    QJsonObject service = fullService();
    service["faults"] = QJsonObject{{"failingLevels", QJsonArray{level}}};

    // Only the failing level's fields fall back to their defaults.
    ServiceInfo expected = everyFieldRecord();
    switch (level) {
    case 1:
        expected.description.clear();
        break;
    case 2:
        expected.failureResetDays = 0;
        expected.firstFailure = expected.secondFailure = expected.subsequentFailure = {};
        expected.failureCommand.clear();
        expected.failureCommandParams.clear();
        expected.failureRebootMessage.clear();
        break;
    case 3:
        expected.startType = "Auto";
        break;
    case 5:
        expected.sidType.clear();
        break;
    case 6:
        expected.requiredPrivileges.clear();
        break;
    case 7:
        expected.preShutdownTimeout = 0;
        break;
    case 12:
        expected.launchProtected.clear();
        break;
    }
    QVERIFY(enumerateOne(service) == expected);
}

void tst_ServiceEnumerator::damagedDatabase_data()
{
    QTest::addColumn<QByteArray>("contents");
    const QByteArray good = R"({"services": [{"name": "Good", "serviceType": 16}, )";

    QTest::newRow("not JSON") << good;
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("array at top") << QByteArray(R"([{"name": "Good", "serviceType": 16}])");
    QTest::newRow("services not a list") << QByteArray(R"({"services": {"name": "Good"}})");
    QTest::newRow("service without name") << good + R"({"serviceType": 16}]})";
    QTest::newRow("number as text") << good + R"({"name": "B", "serviceType": "16"}]})";
    QTest::newRow("negative number") << good + R"({"name": "B", "startType": -1}]})";
    QTest::newRow("number too large") << good + R"({"name": "B", "sidType": 4294967296}]})";
    QTest::newRow("fraction") << good + R"({"name": "B", "errorControl": 1.5}]})";
    QTest::newRow("unknown state") << good + R"({"name": "B", "state": "paused"}]})";
    QTest::newRow("dependency not text") << good + R"({"name": "B", "dependencies": [1]}]})";
    QTest::newRow("action not an object")
        << good + R"({"name": "B", "failureActions": {"actions": [1]}}]})";
}

void tst_ServiceEnumerator::damagedDatabase()
{
    QFETCH(QByteArray, contents);
    QFile file(databasePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.close();

    QVERIFY(ServiceEnumerator::enumerate().isEmpty());
    // Reading never repairs or replaces what it cannot understand.
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), contents);
}

void tst_ServiceEnumerator::missingDatabase()
{
    // A database named by the environment is never created from the sample.
    QVERIFY(ServiceEnumerator::enumerate().isEmpty());
    QVERIFY(!QFile::exists(databasePath()));

    // A path that cannot be read as a file.
    QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("scm.json")));
    QVERIFY(ServiceEnumerator::enumerate().isEmpty());
}

void tst_ServiceEnumerator::sampleOnFirstUse()
{
    qunsetenv("LEDGERWELL_SCM_DB");
    const QByteArray dataHome = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_dir->path()));
    const QString created =
        m_dir->filePath(QStringLiteral("Quorvantel/Ledgerwell/scm-database.json"));

    const QList<ServiceInfo> services = ServiceEnumerator::enumerate();
    const bool exists = QFile::exists(created);
    QFile sample(QStringLiteral(":/ledgerwell/sample-services.json"));
    const bool sampleRead = sample.open(QIODevice::ReadOnly);
    QFile copy(created);
    const bool copyRead = copy.open(QIODevice::ReadOnly);
    const bool writable = copy.permissions().testFlag(QFileDevice::WriteOwner);
    const bool identical = sample.readAll() == copy.readAll();

    if (dataHome.isNull())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", dataHome);

    QVERIFY(exists && sampleRead && copyRead);
    QVERIFY(identical);
    QVERIFY(writable);
    // A believable machine: every kind of entry the enumeration handles turns up.
    QVERIFY(services.size() >= 200);
    QSet<QString> startTypes, serviceTypes, sidTypes, launchProtection;
    bool groupDependency = false, quotedPathWithArguments = false, rebootAction = false;
    bool quoteInDescription = false, nonAscii = false, runCommand = false, privileges = false;
    for (const ServiceInfo &info : services) {
        startTypes.insert(info.startType);
        serviceTypes.insert(info.serviceType);
        sidTypes.insert(info.sidType);
        launchProtection.insert(info.launchProtected);
        for (const QString &dependency : info.dependencies)
            groupDependency = groupDependency || dependency.startsWith(u'+');
        quotedPathWithArguments = quotedPathWithArguments
                                  || (info.binaryPath.startsWith(u'"')
                                      && info.binaryPath.contains(QStringLiteral("\" ")));
        quoteInDescription = quoteInDescription || info.description.contains(u'"');
        for (const QChar c : info.description)
            nonAscii = nonAscii || c.unicode() > 127;
        runCommand = runCommand || !info.failureCommandParams.isEmpty();
        privileges = privileges || !info.requiredPrivileges.isEmpty();
        rebootAction = rebootAction || info.subsequentFailure.type == u"reboot";
    }
    QCOMPARE(startTypes, QSet<QString>({"Auto", "DelayedAuto", "Manual", "Disabled"}));
    QCOMPARE(serviceTypes, QSet<QString>({"Own", "Share"}));
    QCOMPARE(sidTypes, QSet<QString>({"None", "Unrestricted", "Restricted"}));
    QCOMPARE(launchProtection, QSet<QString>({"None", "Windows", "Antimalware"}));
    QVERIFY(groupDependency && quotedPathWithArguments && quoteInDescription && nonAscii);
    QVERIFY(runCommand && privileges && rebootAction);
}

QTEST_GUILESS_MAIN(tst_ServiceEnumerator)
#include "tst_serviceenumerator.moc"
