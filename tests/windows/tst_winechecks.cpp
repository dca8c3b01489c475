// The Windows side checked under Wine: the program's advapi32 layer (through the mingw-built
// probe) against Wine's Service Control Manager, and the batch scripts our writer produces run
// by Wine's cmd.exe against stand-in sc.exe and reg.exe that log the arguments they receive.

#include "BatchScript.h"
#include "HostileServices.h"
#include "Ledgerwell.h"
#include "ServiceCommands.h"
#include "ServiceInfo.h"
#include "TestFiles.h"
#include "WindowsToolOutput.h"
#include "WineSession.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace WindowsToolOutput;

namespace {

const QString toolsDir = QStringLiteral(LEDGERWELL_WINDOWS_TOOLS_DIR);

// A service the check creates through CreateServiceW and ChangeServiceConfig2W.
struct CreatedService
{
    QString name;
    QString displayName;
    quint32 serviceType = 0;
    quint32 startType = 0;
    quint32 errorControl = 0;
    QString binaryPath;
    QString loadOrderGroup;
    QString account;
    QString description;
    quint32 preshutdownTimeoutMs = 0;
};

QList<CreatedService> createdServices()
{
    CreatedService full;
    full.name = QStringLiteral("LedgerwellWineFull");
    full.displayName = QStringLiteral("Ledgerwell \"Wine\" check & more");
    full.serviceType = 0x10;
    full.startType = 2;    // auto
    full.errorControl = 2; // severe
    full.binaryPath = QStringLiteral(R"("C:\Program Files\Ledgerwell Check\lw svc.exe" )"
                                     R"(--config "C:\ProgramData\Lw\a b.ini" -v)");
    full.loadOrderGroup = QStringLiteral("LedgerwellGroup");
    full.account = QStringLiteral("NT AUTHORITY\\LocalService");
    full.description = QStringLiteral(
        "Keeps \"everything\" in order & more: \u00dcberwachung, \u00e9t\u00e9, \u2713 \u6f22");
    full.preshutdownTimeoutMs = 240000;

    CreatedService plain;
    plain.name = QStringLiteral("LedgerwellWinePlain");
    plain.displayName = QStringLiteral("Ledgerwell plain");
    plain.serviceType = 0x20;
    plain.startType = 4;    // disabled
    plain.errorControl = 3; // critical
    plain.binaryPath = QStringLiteral("C:\\windows\\system32\\svchost.exe -k LedgerwellPlain");
    plain.account = QStringLiteral("LocalSystem");
    plain.preshutdownTimeoutMs = 5000;
    return {full, plain};
}

QByteArray creatorInput(const QList<CreatedService> &services)
{
    QString text;
    for (const CreatedService &s : services) {
        text += QStringLiteral("service %1\n").arg(quoted(s.name));
        text += QStringLiteral("  displayName %1\n").arg(quoted(s.displayName));
        text += QStringLiteral("  serviceType %1\n").arg(s.serviceType);
        text += QStringLiteral("  startType %1\n").arg(s.startType);
        text += QStringLiteral("  errorControl %1\n").arg(s.errorControl);
        text += QStringLiteral("  binaryPath %1\n").arg(quoted(s.binaryPath));
        if (!s.loadOrderGroup.isEmpty())
            text += QStringLiteral("  loadOrderGroup %1\n").arg(quoted(s.loadOrderGroup));
        text += QStringLiteral("  serviceStartName %1\n").arg(quoted(s.account));
        if (!s.description.isEmpty())
            text += QStringLiteral("  description %1\n").arg(quoted(s.description));
        text += QStringLiteral("  preshutdownTimeoutMs %1\n").arg(s.preshutdownTimeoutMs);
    }
    return text.toUtf8();
}

} // namespace

class tst_WineChecks final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();
    void createdServicesReadBack_data();
    void createdServicesReadBack();
    void otherServicesListed();
    void failingLevelsDoNotStopLaterOnes();
    void batchScriptPassesExactArguments();
    void overLongLineRefusedBeforeWriting();

private:
    const ProbedService *probed(const QString &name) const;

    WineSession m_wine{QStringLiteral(LEDGERWELL_WINE_PREFIX)};
    ProbeReport m_report;
    QTemporaryDir m_work;
    bool m_failed = true; // until the set-up has succeeded
};

void tst_WineChecks::initTestCase()
{
    for (const char *program :
         {"ledgerwell-probe.exe", "ledgerwell-create-services.exe", "sc.exe", "reg.exe"}) {
        const QString path = toolsDir + u'/' + QLatin1String(program);
        QVERIFY2(QFile::exists(path), qPrintable(path + QStringLiteral(" was not built")));
    }
    QVERIFY(m_work.isValid());
    QVERIFY2(m_wine.start(), qPrintable(m_wine.lastError()));

    const QString input = m_work.filePath(QStringLiteral("services.txt"));
    const QString created = m_work.filePath(QStringLiteral("created.txt"));
    QVERIFY(writeFile(input, creatorInput(createdServices())));
    const int creatorExit =
        m_wine.wine({toolsDir + QStringLiteral("/ledgerwell-create-services.exe")},
                    {QString(), input, created});
    QVERIFY2(creatorExit == 0, readFile(created).constData());

    const QString report = m_work.filePath(QStringLiteral("probe.txt"));
    const int probeExit =
        m_wine.wine({toolsDir + QStringLiteral("/ledgerwell-probe.exe")}, {QString(), {}, report});
    QVERIFY2(probeExit == 0, readFile(report).constData());
    m_report = parseProbeReport(readFile(report));
    QVERIFY2(m_report.unreadLines.isEmpty(), qPrintable(m_report.unreadLines.join(u'\n')));
    m_failed = false;
}

void tst_WineChecks::cleanup()
{
    m_failed = m_failed || QTest::currentTestFailed();
}

void tst_WineChecks::cleanupTestCase()
{
    m_wine.stop();
    // The prefix takes some 700 MB; it stays only to look into a failure.
    if (m_failed)
        qInfo("The Wine prefix is kept in %s", qPrintable(m_wine.prefix()));
    else
        m_wine.removePrefix();
}

const ProbedService *tst_WineChecks::probed(const QString &name) const
{
    for (const ProbedService &service : m_report.services) {
        if (service.name == name)
            return &service;
    }
    return nullptr;
}

void tst_WineChecks::createdServicesReadBack_data()
{
    QTest::addColumn<int>("index");
    const QList<CreatedService> services = createdServices();
    for (int i = 0; i < services.size(); ++i)
        QTest::newRow(qPrintable(services.at(i).name)) << i;
}

void tst_WineChecks::createdServicesReadBack()
{
    QFETCH(int, index);
    const CreatedService expected = createdServices().at(index);
    const ProbedService *service = probed(expected.name);
    QVERIFY2(service, "the service is not listed");
    const auto &values = service->values;

    QCOMPARE(unquoted(values.value(QStringLiteral("displayName"))), expected.displayName);
    QCOMPARE(values.value(QStringLiteral("open")), QStringLiteral("ok"));
    QCOMPARE(values.value(QStringLiteral("config")), QStringLiteral("ok"));
    QCOMPARE(values.value(QStringLiteral("serviceType")),
             QStringLiteral("0x%1").arg(expected.serviceType, 0, 16));
    QCOMPARE(values.value(QStringLiteral("startType")), QString::number(expected.startType));
    QCOMPARE(values.value(QStringLiteral("errorControl")), QString::number(expected.errorControl));
    QCOMPARE(unquoted(values.value(QStringLiteral("binaryPath"))), expected.binaryPath);
    QCOMPARE(unquoted(values.value(QStringLiteral("loadOrderGroup"))), expected.loadOrderGroup);
    QCOMPARE(unquoted(values.value(QStringLiteral("serviceStartName"))), expected.account);

    QCOMPARE(values.value(QStringLiteral("level.1")), QStringLiteral("ok"));
    QCOMPARE(unquoted(values.value(QStringLiteral("description"))), expected.description);
    QCOMPARE(values.value(QStringLiteral("level.7")), QStringLiteral("ok"));
    QCOMPARE(values.value(QStringLiteral("preshutdownTimeoutMs")),
             QString::number(expected.preshutdownTimeoutMs));
}

void tst_WineChecks::otherServicesListed()
{
    QCOMPARE(m_report.announcedCount, m_report.services.size());
    QSet<QString> names;
    for (const ProbedService &service : m_report.services)
        names.insert(service.name);
    QCOMPARE(names.size(), m_report.services.size());
    for (const CreatedService &created : createdServices())
        QVERIFY2(names.contains(created.name), qPrintable(created.name));
    // Wine's own services of a new prefix.
    for (const char *builtIn : {"RpcSs", "PlugPlay", "MSIServer"})
        QVERIFY2(names.contains(QLatin1String(builtIn)), builtIn);
    QVERIFY(names.size() > createdServices().size() + 3);
}

void tst_WineChecks::failingLevelsDoNotStopLaterOnes()
{
    // The levels in the order the enumeration asks them. Wine 8 answers ERROR_INVALID_LEVEL
    // (124) for those it does not implement; whatever fails, the later levels must still read.
    const QList<int> order = {3, 1, 2, 5, 7, 6, 12};
    const ProbedService *service = probed(createdServices().constFirst().name);
    QVERIFY(service);

    QStringList failed;
    bool readAfterFailure = false;
    for (const int level : order) {
        const QString answer = service->values.value(QStringLiteral("level.%1").arg(level));
        if (answer == u"ok") {
            readAfterFailure = readAfterFailure || !failed.isEmpty();
        } else {
            QCOMPARE(answer, QStringLiteral("failed 124"));
            failed.append(QString::number(level));
        }
    }
    qInfo("levels reported failed: %s", qPrintable(failed.join(u' ')));
    QVERIFY2(!failed.isEmpty(), "no level failed: this Wine cannot show the levels independent");
    QVERIFY2(readAfterFailure, "no level was read after one that failed");
}

void tst_WineChecks::batchScriptPassesExactArguments()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    for (const char *tool : {"sc.exe", "reg.exe"}) {
        QVERIFY(QFile::copy(toolsDir + u'/' + QLatin1String(tool),
                            folder.filePath(QLatin1String(tool))));
    }
    const QList<ServiceInfo> services = HostileServices::records();
    const QList<ServiceInfo> leftOut = HostileServices::leftOutRecords();
    QString error;
    QStringList leftOutNames;
    QVERIFY2(Ledgerwell::exportToBatch(folder.filePath(QStringLiteral("services.bat")),
                                       leftOut + services, &error, &leftOutNames),
             qPrintable(error));
    QCOMPARE(leftOutNames.size(), leftOut.size());

    const QString output = m_work.filePath(QStringLiteral("cmd-output.txt"));
    const int exitCode =
        m_wine.wine({QStringLiteral("cmd"), QStringLiteral("/c"), QStringLiteral("services.bat")},
                    {folder.path(), QString(), output});
    QVERIFY2(exitCode == 0, qPrintable(m_wine.lastError()));
    QVERIFY2(readFile(output).contains("Done."), "the script did not run to its end");

    QList<ToolCall> calls;
    QVERIFY(parseCallLog(readFile(folder.filePath(QStringLiteral("calls.log"))), calls));
    QList<QStringList> expected;
    for (const ServiceInfo &service : services) {
        // Percent signs arrive as they stand: %SystemRoot% too, which the service manager
        // expands when the service starts, as for a service the direct installation creates.
        for (const ServiceCommand &command : ServiceCommands::install(service))
            expected.append(HostileServices::expectedCall(command));
    }
    auto describe = [](const QStringList &call) {
        QStringList texts;
        for (const QString &text : call)
            texts.append(quoted(text));
        return texts.join(u' ');
    };
    for (qsizetype i = 0; i < qMin(calls.size(), expected.size()); ++i) {
        const QStringList received = QStringList(calls.at(i).program) + calls.at(i).arguments;
        QVERIFY2(received == expected.at(i),
                 qPrintable(QStringLiteral("call %1\n   received: %2\n   expected: %3")
                                .arg(i)
                                .arg(describe(received), describe(expected.at(i)))));
    }
    QCOMPARE(calls.size(), expected.size());
    // One record makes a line of exactly the length cmd.exe reads; it must arrive whole.
    qsizetype longestLine = 0;
    const QString script = QString::fromUtf8(readFile(folder.filePath("services.bat")));
    for (const QString &line : script.split(QStringLiteral("\r\n")))
        longestLine = qMax(longestLine, line.size());
    QCOMPARE(longestLine, qsizetype(BatchScript::MaximumLineLength));
    QVERIFY2(!readFile(output).contains("truncated"), readFile(output).constData());

    // Nothing but the tools ran: no file that a payload would have created.
    QStringList entries = QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    entries.sort();
    QCOMPARE(entries, QStringList({QStringLiteral("calls.log"), QStringLiteral("reg.exe"),
                                   QStringLiteral("sc.exe"), QStringLiteral("services.bat")}));
}

void tst_WineChecks::overLongLineRefusedBeforeWriting()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("services.bat"));
    QVERIFY(writeFile(path, "@echo off\r\necho old script\r\n"));

    QString error;
    QVERIFY(!Ledgerwell::exportToBatch(
        path, HostileServices::records() << HostileServices::overLongRecord(), &error));
    QVERIFY2(error.contains(QStringLiteral("the description of service LwOverLong")),
             qPrintable(error));
    QCOMPARE(readFile(path), QByteArray("@echo off\r\necho old script\r\n"));

    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("services.bat")});
}

QTEST_GUILESS_MAIN(tst_WineChecks)
#include "tst_winechecks.moc"
