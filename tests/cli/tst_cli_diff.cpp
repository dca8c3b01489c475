// diff run as a process: a file against the installed services or against another file, as text
// and as JSON, with its exit status.

#include "CliMachine.h"

#include "Ledgerwell.h"
#include "ServiceEnumerator.h"
#include "ServiceRecords.h"
#include "TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <memory>

class tst_CliDiff final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void againstTheInstalledServices();
    void twoFiles_data();
    void twoFiles();
    void jsonDocument();
    void unreadableFile_data();
    void unreadableFile();

private:
    QString write(const QString &name, const QList<ServiceInfo> &services) const;

    std::unique_ptr<CliMachine> m_machine;
};

void tst_CliDiff::init()
{
    m_machine = std::make_unique<CliMachine>();
    QVERIFY(m_machine->writeDatabase(
        {simulatedService("Spooler", "Print Spooler", "C:\\spoolsv.exe", 2),
         simulatedService("BITS", "Background Transfer", "C:\\bits.exe"),
         simulatedService("Extra", "Only installed", "C:\\extra.exe")}));
}

QString tst_CliDiff::write(const QString &name, const QList<ServiceInfo> &services) const
{
    const QString path = m_machine->filePath(name);
    return Ledgerwell::exportToJson(path, services) ? path : QString();
}

void tst_CliDiff::againstTheInstalledServices()
{
    const QList<ServiceInfo> installed = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(installed), QStringList({"Spooler", "BITS", "Extra"}));
    const QString same = write("same.json", installed);
    CliRun run = m_machine->run({"diff", same});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    QCOMPARE(run.out, QByteArray("No differences (3 services the same).\n"));

    // A service spelt in other case is the same service; its spelling is a difference.
    QList<ServiceInfo> file = installed.mid(0, 2);
    file[0].serviceName = QStringLiteral("SPOOLER");
    file[1].displayName = QStringLiteral("Background \"Intelligent\"\nTransfer");
    file.append(importedService("Missing"));
    const QString changed = write("changed.json", file);
    run = m_machine->run({"diff", changed});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.isEmpty());
    const QString name = changed + u':';
    QCOMPARE(QString::fromUtf8(run.out),
             QStringLiteral("SPOOLER: different\n"
                            "    Service Name\n"
                            "        %1 \"SPOOLER\"\n"
                            "        %2 \"Spooler\"\n"
                            "BITS: different\n"
                            "    Display Name\n"
                            "        %1 \"Background \"Intelligent\"\\nTransfer\"\n"
                            "        %2 \"Background Transfer\"\n"
                            "Missing: missing (only in %3)\n"
                            "Extra: extra (only installed)\n"
                            "1 missing, 1 extra, 2 different, 0 the same.\n")
                 .arg(name, QStringLiteral("installed:").leftJustified(name.size()), changed));

    // Only what the file names, for a file of a few services.
    run = m_machine->run({"diff", write("one.json", installed.mid(1, 1)), "--ignore-extra"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, QByteArray("No differences (1 service the same).\n"));
}

void tst_CliDiff::twoFiles_data()
{
    QTest::addColumn<QList<ServiceInfo>>("first");
    QTest::addColumn<QList<ServiceInfo>>("second");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QByteArray>("lastLine");

    const ServiceInfo a = serviceWithEveryField("A");
    ServiceInfo changed = a;
    changed.failureResetDays = 5;
    using List = QList<ServiceInfo>;
    QTest::newRow("a name in other case")
        << List{a, importedService("B")} << List{importedService("b"), a} << 1
        << QByteArray("0 missing, 0 extra, 1 different, 1 the same.");
    QTest::newRow("identical") << List{a} << List{a} << 0
                               << QByteArray("No differences (1 service the same).");
    QTest::newRow("both empty") << List() << List() << 0
                                << QByteArray("No differences (0 services the same).");
    QTest::newRow("missing, extra, changed")
        << List{a, importedService("Gone")} << List{changed, importedService("New")} << 1
        << QByteArray("1 missing, 1 extra, 1 different, 0 the same.");
}

void tst_CliDiff::twoFiles()
{
    QFETCH(QList<ServiceInfo>, first);
    QFETCH(QList<ServiceInfo>, second);
    QFETCH(int, exitCode);
    QFETCH(QByteArray, lastLine);

    const CliRun run =
        m_machine->run({"diff", write("first.json", first), write("second.json", second)});
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY(run.err.isEmpty());
    QVERIFY2(run.out.endsWith(lastLine + '\n'), run.out.constData());
}

void tst_CliDiff::jsonDocument()
{
    ServiceInfo a = serviceWithEveryField("A");
    ServiceInfo other = a;
    other.serviceName = QStringLiteral("a");
    other.firstFailure = {QStringLiteral("reboot"), 1};
    const QString first = write("first.json", {a, importedService("Gone")});
    const QString second = write("second.json", {importedService("New"), other});

    CliRun run = m_machine->run({"diff", first, second, "--json"});
    QCOMPARE(run.exitCode, 1);
    QVERIFY(run.err.isEmpty());
    QJsonParseError error;
    const QJsonObject document = QJsonDocument::fromJson(run.out, &error).object();
    QCOMPARE(error.error, QJsonParseError::NoError);
    const QJsonObject expected{
        {"first", first},
        {"second", second},
        {"identical", false},
        {"counts", QJsonObject{{"missing", 1}, {"extra", 1}, {"different", 1}, {"same", 0}}},
        {"services", QJsonArray{QJsonObject{{"name", "A"},
                                            {"status", "different"},
                                            {"differences",
                                             QJsonArray{QJsonObject{{"field", "serviceName"},
                                                                    {"label", "Service Name"},
                                                                    {"first", "A"},
                                                                    {"second", "a"}},
                                                        QJsonObject{{"field", "firstFailure"},
                                                                    {"label", "First Failure"},
                                                                    {"first", "restart (60000 ms)"},
                                                                    {"second", "reboot (1 ms)"}}}}},
                                QJsonObject{{"name", "Gone"}, {"status", "missing"}},
                                QJsonObject{{"name", "New"}, {"status", "extra"}}}}};
    QCOMPARE(document, expected);

    // Against the installed services "second" is null.
    run =
        m_machine->run({"diff", write("installed.json", ServiceEnumerator::enumerate()), "--json"});
    QCOMPARE(run.exitCode, 0);
    const QJsonObject same = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(same.value("second"), QJsonValue(QJsonValue::Null));
    QCOMPARE(same.value("identical"), QJsonValue(true));
    QCOMPARE(same.value("services").toArray().size(), 3);
    QCOMPARE(same.value("services").toArray().first().toObject(),
             QJsonObject({{"name", "Spooler"}, {"status", "same"}}));
}

void tst_CliDiff::unreadableFile_data()
{
    QTest::addColumn<bool>("firstIsBad");
    QTest::newRow("first") << true;
    QTest::newRow("second") << false;
}

void tst_CliDiff::unreadableFile()
{
    QFETCH(bool, firstIsBad);
    const QString good = write("good.json", {importedService("A")});
    const QString bad = m_machine->filePath("bad.json");
    QVERIFY(writeFile(bad, "[{\"serviceName\": \"A\"}"));
    const CliRun run = m_machine->run(firstIsBad ? QStringList{"diff", bad, good}
                                                 : QStringList{"diff", good, bad, "--json"});
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(QString::fromUtf8(run.err),
             "ledgerwell-cli: " + bad
                 + ": The file is not valid JSON: unterminated array (line 1, column 22).\n");
}

QTEST_GUILESS_MAIN(tst_CliDiff)
#include "tst_cli_diff.moc"
