// The command line itself: help, version, and every kind of bad usage, which changes nothing and
// says so in one line on standard error.

#include "CliMachine.h"

#include <QTest>

#include <memory>

class tst_CliUsage final : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void programHelp_data();
    void programHelp();
    void commandHelp_data();
    void commandHelp();
    void version();
    void badUsage_data();
    void badUsage();

private:
    std::unique_ptr<CliMachine> m_machine;
};

void tst_CliUsage::init()
{
    m_machine = std::make_unique<CliMachine>();
    QVERIFY(m_machine->writeDatabase({simulatedService("Spooler", "Print Spooler", "C:\\s.exe")}));
}

void tst_CliUsage::programHelp_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--help") << QStringList{"--help"};
    QTest::newRow("-h") << QStringList{"-h"};
    QTest::newRow("help") << QStringList{"help"};
}

void tst_CliUsage::programHelp()
{
    QFETCH(QStringList, arguments);
    const CliRun run = m_machine->run(arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    QVERIFY(run.out.startsWith("Usage: ledgerwell-cli COMMAND [options]\n"));
    for (const char *command : {"list", "export", "convert", "diff", "install"})
        QVERIFY2(run.out.contains(QByteArray("\n  ") + command + ' '), command);
    QVERIFY(run.out.contains("Exit status: 0"));
}

void tst_CliUsage::commandHelp_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("usage");
    QTest::addColumn<QByteArrayList>("options");

    QTest::newRow("list") << QStringList{"list", "--help"}
                          << QByteArray("Usage: ledgerwell-cli list [options]\n")
                          << QByteArrayList{"--filter <TEXT>", "--json"};
    QTest::newRow("export, with other options")
        << QStringList{"export", "--format", "json", "-h"}
        << QByteArray("Usage: ledgerwell-cli export [options]\n")
        << QByteArrayList{"--format <FORMAT>", "--filter <TEXT>", "--service <NAME>",
                          "-o, --output <FILE>"};
    QTest::newRow("convert") << QStringList{"convert", "--help"}
                             << QByteArray("Usage: ledgerwell-cli convert [options] FILE.json\n")
                             << QByteArrayList{"--format <FORMAT>", "--service <NAME>"};
    QTest::newRow("diff, through help")
        << QStringList{"help", "diff"}
        << QByteArray("Usage: ledgerwell-cli diff [options] FILE.json [OTHER.json]\n")
        << QByteArrayList{"--json", "--ignore-extra"};
    QTest::newRow("install") << QStringList{"install", "--help"}
                             << QByteArray("Usage: ledgerwell-cli install [options] FILE.json\n")
                             << QByteArrayList{"--service <NAME>", "--yes", "--dry-run"};
}

void tst_CliUsage::commandHelp()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, usage);
    QFETCH(QByteArrayList, options);

    const CliRun run = m_machine->run(arguments);
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    QVERIFY2(run.out.startsWith(usage), run.out.constData());
    for (const QByteArray &option : options)
        QVERIFY2(run.out.contains(option), option.constData());
    QVERIFY(run.out.contains("-h, --help"));
}

void tst_CliUsage::version()
{
    const CliRun run = m_machine->run({"--version"});
    QCOMPARE(run.exitCode, 0);
    QVERIFY(run.err.isEmpty());
    QCOMPARE(run.out,
             QByteArray("ledgerwell-cli (Quorvantel Ledgerwell) " LEDGERWELL_VERSION "\n"));
}

void tst_CliUsage::badUsage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message"); // standard error without the program's name

    QTest::newRow("no command") << QStringList()
                                << "No command given. Try 'ledgerwell-cli --help'.";
    QTest::newRow("unknown command")
        << QStringList{"lsit"} << "Unknown command 'lsit'. Try 'ledgerwell-cli --help'.";
    QTest::newRow("unknown program option")
        << QStringList{"--frob"} << "Unknown option '--frob'. Try 'ledgerwell-cli --help'.";
    QTest::newRow("help on an unknown command")
        << QStringList{"help", "frob"} << "Unknown command 'frob'. Try 'ledgerwell-cli --help'.";
    QTest::newRow("unknown option") << QStringList{"list", "--jsn"}
                                    << "list: Unknown option 'jsn'. Try 'ledgerwell-cli list "
                                       "--help'.";
    QTest::newRow("option without value")
        << QStringList{"list", "--filter"}
        << "list: Missing value after '--filter'. Try 'ledgerwell-cli list --help'.";
    QTest::newRow("unexpected argument")
        << QStringList{"list", "Spooler"}
        << "list: Unexpected argument 'Spooler'. Try 'ledgerwell-cli list --help'.";
    QTest::newRow("no format") << QStringList{"export"}
                               << "export: Give the format with --format json, batch or ansible. "
                                  "Try 'ledgerwell-cli export --help'.";
    QTest::newRow("unknown format") << QStringList{"export", "--format", "xml"}
                                    << "export: Unknown format 'xml': give json, batch or "
                                       "ansible. Try 'ledgerwell-cli export --help'.";
    QTest::newRow("filter and service")
        << QStringList{"export", "--format", "json", "--filter", "a", "--service", "Spooler"}
        << "export: Give either --filter or --service, not both. Try 'ledgerwell-cli export "
           "--help'.";
    QTest::newRow("convert to json")
        << QStringList{"convert", "in.json", "--format", "json"}
        << "convert: Unknown format 'json': give batch or ansible. Try 'ledgerwell-cli convert "
           "--help'.";
    QTest::newRow("convert without file")
        << QStringList{"convert", "--format", "batch"}
        << "convert: Missing argument. Try 'ledgerwell-cli convert --help'.";
    QTest::newRow("diff with three files")
        << QStringList{"diff", "a.json", "b.json", "c.json"}
        << "diff: Unexpected argument 'c.json'. Try 'ledgerwell-cli diff --help'.";
    QTest::newRow("install without file")
        << QStringList{"install", "--yes"}
        << "install: Missing argument. Try 'ledgerwell-cli install --help'.";
}

void tst_CliUsage::badUsage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);

    const QJsonArray before = m_machine->databaseEntries();
    const CliRun run = m_machine->run(arguments);
    QCOMPARE(run.exitCode, 2);
    QVERIFY(run.out.isEmpty());
    QCOMPARE(QString::fromUtf8(run.err), "ledgerwell-cli: " + message + '\n');
    QCOMPARE(m_machine->databaseEntries(), before);
}

QTEST_GUILESS_MAIN(tst_CliUsage)
#include "tst_cli_usage.moc"
