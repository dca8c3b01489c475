// list, export and convert run as processes on the sample machine: what they write is byte for
// byte what the window's writers write for the same services, to standard output or to a file.

#include "CliMachine.h"

#include "AnsiblePlaybook.h"
#include "Ledgerwell.h"
#include "ServiceEnumerator.h"
#include "ServiceFilter.h"
#include "ServiceName.h"
#include "ServiceRecords.h"
#include "TestFiles.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>

#include <functional>
#include <memory>

namespace {

using Selection = std::function<bool(const ServiceInfo &)>;

QList<ServiceInfo> selected(const QList<ServiceInfo> &services, const Selection &wanted)
{
    QList<ServiceInfo> result;
    for (const ServiceInfo &service : services) {
        if (wanted(service))
            result.append(service);
    }
    return result;
}

// What the window writes for the services in this format: its writers, through a file.
QByteArray windowOutput(const QString &format, const QList<ServiceInfo> &services,
                        const QString &folder)
{
    const QString path = QDir(folder).filePath("window-output");
    if (format == u"json")
        Ledgerwell::exportToJson(path, services);
    else if (format == u"batch")
        Ledgerwell::exportToBatch(path, services);
    else
        Ledgerwell::writeFile(path, AnsiblePlaybook::write(services).text);
    const QByteArray contents = readFile(path);
    QFile::remove(path);
    return contents;
}

Selection named(const QStringList &names)
{
    return [names](const ServiceInfo &service) {
        for (const QString &name : names) {
            if (ServiceName::same(name, service.serviceName))
                return true;
        }
        return false;
    };
}

} // namespace

class tst_CliExport final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void listTable();
    void listTableShowsControlCharactersAsEscapes();
    void writesWhatTheWindowWrites_data();
    void writesWhatTheWindowWrites();
    void writesToAFile_data();
    void writesToAFile();
    void readerThatGoesAwayIsAWriteError();
    void exportRefusals_data();
    void exportRefusals();
    void convertWritesWhatTheImportDialogWrites_data();
    void convertWritesWhatTheImportDialogWrites();
    void convertLeavesOutUnusableNames_data();
    void convertLeavesOutUnusableNames();
    void convertRefusals_data();
    void convertRefusals();

private:
    std::unique_ptr<CliMachine> m_machine;
    QList<ServiceInfo> m_installed;
};

void tst_CliExport::init()
{
    m_machine = std::make_unique<CliMachine>();
    QVERIFY(m_machine->isValid());
    QVERIFY(QFile::copy(QStringLiteral(LEDGERWELL_SAMPLE_DATABASE), m_machine->databasePath()));
    QFile::setPermissions(m_machine->databasePath(), QFile::ReadOwner | QFile::WriteOwner);
    m_installed = ServiceEnumerator::enumerate();
    QVERIFY(m_installed.size() > 200);
}

void tst_CliExport::listTable()
{
    const CliRun run = m_machine->run({"list", "--filter", "SPOOLSV"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    QCOMPARE(run.out, QByteArray("Name     Display Name   Start Type  Account      Binary Path\n"
                                 "Spooler  Print Spooler  Auto        LocalSystem  "
                                 "C:\\Windows\\System32\\spoolsv.exe\n"));

    const CliRun all = m_machine->run({"list"});
    QCOMPARE(all.exitCode, 0);
    QCOMPARE(all.out.count('\n'), m_installed.size() + 1);
    const CliRun none = m_machine->run({"list", "--filter", "no service has this"});
    QCOMPARE(none.exitCode, 0);
    QCOMPARE(none.out, QByteArray("Name  Display Name  Start Type  Account  Binary Path\n"));
}

void tst_CliExport::listTableShowsControlCharactersAsEscapes()
{
    QVERIFY(m_machine->writeDatabase(
        {simulatedService("Odd", "two\nlines\tand \x1b escape", "C:\\odd.exe")}));
    const CliRun run = m_machine->run({"list"});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out.count('\n'), 2);
    QVERIFY2(run.out.contains("two\\nlines\\tand \\x{1B} escape"), run.out.constData());
}

void tst_CliExport::writesWhatTheWindowWrites_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("format");
    QTest::addColumn<Selection>("selection");

    const Selection all = [](const ServiceInfo &) {
        return true;
    };
    const auto filter = [](const QString &text) {
        return Selection([text](const ServiceInfo &s) { return ServiceFilter::matches(s, text); });
    };
    QTest::newRow("list --json") << QStringList{"list", "--json"} << "json" << all;
    QTest::newRow("list --json, filtered")
        << QStringList{"list", "--json", "--filter", "LOCALSERVICE"} << "json"
        << filter("LOCALSERVICE");
    for (const char *format : {"json", "batch", "ansible"}) {
        QTest::addRow("export %s, all", format)
            << QStringList{"export", "--format", format} << format << all;
        QTest::addRow("export %s, filtered", format)
            << QStringList{"export", "--format", format, "--filter", "svchost"} << format
            << filter("svchost");
        QTest::addRow("export %s, named in other case", format)
            << QStringList{"export", "--service", "spooler", "--format", format, "--service",
                           "BITS",   "--service", "Spooler", "-o",       "-"}
            << format << named({"Spooler", "BITS"});
    }
}

void tst_CliExport::writesWhatTheWindowWrites()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, format);
    QFETCH(Selection, selection);

    const QList<ServiceInfo> services = selected(m_installed, selection);
    QVERIFY(!services.isEmpty());
    const CliRun run = m_machine->run(arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QCOMPARE(run.out, windowOutput(format, services, m_machine->filePath(QString())));
}

void tst_CliExport::writesToAFile_data()
{
    QTest::addColumn<QStringList>("arguments"); // before -o FILE
    QTest::addColumn<QString>("format");
    for (const char *format : {"json", "batch", "ansible"})
        QTest::newRow(format) << QStringList{"export", "--format", format} << format;
    // What the PowerShell example of the README runs on every server.
    QTest::newRow("list --json") << QStringList{"list", "--json"} << "json";
}

void tst_CliExport::writesToAFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, format);
    const QString path = m_machine->filePath("exported file");
    QVERIFY(writeFile(path, "an older file"));
    const CliRun run = m_machine->run(arguments + QStringList{"-o", path});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.out.isEmpty());
    QVERIFY(run.err.isEmpty());
    QCOMPARE(readFile(path), windowOutput(format, m_installed, m_machine->filePath(QString())));
}

void tst_CliExport::readerThatGoesAwayIsAWriteError()
{
    // `ledgerwell-cli list --json | head -c 1`: the output is far larger than a pipe holds.
    QProcess reader;
    QProcess cli;
    cli.setProcessEnvironment(m_machine->environment());
    cli.setStandardOutputProcess(&reader);
    cli.start(cliProgram(), {"list", "--json"});
    reader.start("head", {"-c", "1"});
    QVERIFY(cli.waitForFinished(30000));
    QVERIFY(reader.waitForFinished(30000));
    QCOMPARE(reader.readAllStandardOutput(), QByteArray("["));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), 2);
    QCOMPARE(cli.readAllStandardError(),
             QByteArray("ledgerwell-cli: Cannot write to standard output.\n"));
}

void tst_CliExport::exportRefusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message"); // %1: the test's folder

    QTest::newRow("unknown name") << QStringList{"export",  "--format",  "json", "--service",
                                                 "Spooler", "--service", "Nope"}
                                  << "No installed service is named \"Nope\"; nothing was written.";
    QTest::newRow("filter matches nothing")
        << QStringList{"export", "--format", "batch", "--filter", "no service has this"}
        << "No installed service matches the filter \"no service has this\"; nothing was "
           "written.";
    QTest::newRow("folder missing")
        << QStringList{"export", "--format", "ansible", "-o", "%1/missing/out.yml"}
        << "Cannot write file %1/missing/out.yml: ";
}

void tst_CliExport::exportRefusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const QString folder = m_machine->filePath("exports");
    QVERIFY(QDir().mkpath(folder));
    for (QString &argument : arguments)
        argument = argument.replace("%1", folder);
    const CliRun run = m_machine->run(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    const QString error = QString::fromUtf8(run.err);
    QVERIFY2(error.startsWith("ledgerwell-cli: " + message.arg(folder)), qPrintable(error));
    QCOMPARE(error.count('\n'), 1);
    QVERIFY(QDir(folder).isEmpty());
}

void tst_CliExport::convertWritesWhatTheImportDialogWrites_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("names"); // --service, none for all
    QTest::addColumn<QList<int>>("records");

    QTest::newRow("batch") << "batch" << QStringList() << QList<int>{0, 1, 2};
    QTest::newRow("ansible") << "ansible" << QStringList() << QList<int>{0, 1, 2};
    // Both records of one name go, in file order, as the dialog's check marks take them.
    QTest::newRow("batch, named") << "batch" << QStringList{"FULL"} << QList<int>{0, 2};
    QTest::newRow("ansible, named")
        << "ansible" << QStringList{"Plain", "full"} << QList<int>{0, 1, 2};
}

void tst_CliExport::convertWritesWhatTheImportDialogWrites()
{
    QFETCH(QString, format);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, records);

    ServiceInfo again = everyFieldRecord();
    again.description = QStringLiteral("Second record of the name");
    const QList<ServiceInfo> file{everyFieldRecord(), importedService("Plain"), again};
    const QString path = m_machine->filePath("services.json");
    QVERIFY(Ledgerwell::exportToJson(path, file));

    QStringList arguments{"convert", path, "--format", format};
    for (const QString &name : names)
        arguments << "--service" << name;
    const CliRun run = m_machine->run(arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY2(run.err.isEmpty(), run.err.constData());
    QList<ServiceInfo> expected;
    for (int index : records)
        expected.append(file.at(index));
    QCOMPARE(run.out, windowOutput(format, expected, m_machine->filePath(QString())));
}

void tst_CliExport::convertLeavesOutUnusableNames_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("leftOut");

    const QString both = "ledgerwell-cli: record 1 (\"No Name\") has no service name; it was left "
                         "out.\n"
                         "ledgerwell-cli: record 3 (\"Slash\") has a service name with \"/\" or "
                         "\"\\\"; it was left out.\n";
    QTest::newRow("batch") << "batch" << QStringList() << both;
    QTest::newRow("ansible") << "ansible" << QStringList() << both;
    // Named by their place in the file, not in the selection.
    QTest::newRow("ansible, named")
        << "ansible" << QStringList{"--service", "good", "--service", "a\\b"}
        << "ledgerwell-cli: record 3 (\"Slash\") has a service name with \"/\" or \"\\\"; it "
           "was left out.\n";
}

void tst_CliExport::convertLeavesOutUnusableNames()
{
    QFETCH(QString, format);
    QFETCH(QStringList, options);
    QFETCH(QString, leftOut);

    const QList<ServiceInfo> file{importedService(QString(), "No Name"), importedService("Good"),
                                  importedService("a\\b", "Slash")};
    const QString path = m_machine->filePath("services.json");
    QVERIFY(Ledgerwell::exportToJson(path, file));

    const CliRun run = m_machine->run(QStringList{"convert", path, "--format", format} + options);
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.out, windowOutput(format, {importedService("Good")}, m_machine->filePath("")));
    QCOMPARE(QString::fromUtf8(run.err), leftOut);
}

void tst_CliExport::convertRefusals_data()
{
    QTest::addColumn<QByteArray>("contents"); // no file when null
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("message"); // %1: the file's path

    const QByteArray one = R"([{"serviceName": "Alpha"}])";
    QTest::newRow("missing file") << QByteArray() << QStringList()
                                  << "Cannot read file %1: No such file or directory.";
    QTest::newRow("not JSON") << QByteArray("[\n  {\"serviceName\": \"Alpha\"}\n  {}\n]")
                              << QStringList()
                              << "%1: The file is not valid JSON: missing value separator (line "
                                 "3, column 4).";
    QTest::newRow("not an array")
        << QByteArray(R"({"serviceName": "Alpha"})") << QStringList()
        << "%1: The file does not hold a list of services: its top level is not a JSON array.";
    QTest::newRow("no services") << QByteArray("[]") << QStringList()
                                 << "%1: No services found in file.";
    QTest::newRow("unknown name") << one << QStringList{"--service", "Beta"}
                                  << "%1 has no service named \"Beta\"; nothing was written.";
    QTest::newRow("no usable name")
        << QByteArray(R"([{"serviceName": "", "displayName": "Nameless"}])") << QStringList()
        << "Cannot write the batch script: every record was left out. record 1 (\"Nameless\") "
           "has no service name.";
    QTest::newRow("line too long")
        << QByteArray(R"([{"serviceName": "Long", "description": ")" + QByteArray(9000, 'x')
                      + R"("}])")
        << QStringList()
        << "Cannot write the batch script: the description of service Long makes a line of "
           "9,024 characters; cmd.exe reads at most 8191.";
    QTest::newRow("output folder missing")
        << one << QStringList{"-o", "/nonexistent-folder/out.bat"}
        << "Cannot write file /nonexistent-folder/out.bat: ";
}

void tst_CliExport::convertRefusals()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, options);
    QFETCH(QString, message);

    const QString path = m_machine->filePath("in.json");
    if (!contents.isNull())
        QVERIFY(writeFile(path, contents));
    const CliRun run = m_machine->run(QStringList{"convert", path, "--format", "batch"} + options);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    const QString error = QString::fromUtf8(run.err);
    QVERIFY2(error.startsWith("ledgerwell-cli: " + message.arg(path)), qPrintable(error));
    QVERIFY(error.endsWith(".\n"));
    QCOMPARE(error.count('\n'), 1);
}

QTEST_GUILESS_MAIN(tst_CliExport)
#include "tst_cli_export.moc"
