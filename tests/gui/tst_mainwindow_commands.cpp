#include "AnsiblePlaybook.h"
#include "FileDialog.h"
#include "ImportDialog.h"
#include "Ledgerwell.h"
#include "MainWindow.h"
#include "MainWindowTestSupport.h"
#include "MessageBox.h"
#include "TestFiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

#include <memory>

class tst_MainWindowCommands final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void exportWithoutSelection_data();
    void exportWithoutSelection();
    void exportCancelled();
    void exportWritesFile_data();
    void exportWritesFile();
    void exportToUnwritablePath_data();
    void exportToUnwritablePath();
    void batchExportRefusals_data();
    void batchExportRefusals();
    void importOpensDialog_data();
    void importOpensDialog();
    void importFailure_data();
    void importFailure();
    void importCancelled();

private:
    // Triggers the File menu entry (or, with useButton, the button) of one command.
    void run(MainWindow &window, const QString &command, bool useButton = false);
    // Runs the import with the file name queued and reports the dialog it opened, if any.
    QStringList importAndCloseDialog(MainWindow &window, const QString &path, bool *opened);

    std::unique_ptr<MainWindowTestEnvironment> m_env;
};

void tst_MainWindowCommands::init()
{
    m_env = std::make_unique<MainWindowTestEnvironment>();
    QVERIFY(m_env->isValid());
    QVERIFY(m_env->writeDatabase(sampleServices()));
}

void tst_MainWindowCommands::cleanup()
{
    m_env.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_MainWindowCommands::run(MainWindow &window, const QString &command, bool useButton)
{
    if (useButton) {
        auto *button = window.findChild<QPushButton *>(command + "Button");
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    } else {
        auto *action = window.findChild<QAction *>(command + "Action");
        QVERIFY(action);
        action->trigger();
    }
}

void tst_MainWindowCommands::exportWithoutSelection_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("useButton");
    QTest::newRow("batch menu") << "exportBatch" << false;
    QTest::newRow("batch button") << "exportBatch" << true;
    QTest::newRow("json menu") << "exportJson" << false;
    QTest::newRow("json button") << "exportJson" << true;
    QTest::newRow("ansible menu") << "exportAnsible" << false;
}

void tst_MainWindowCommands::exportWithoutSelection()
{
    QFETCH(QString, command);
    QFETCH(bool, useButton);

    MainWindow window;
    run(window, command, useButton);
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("Export"));
    QCOMPARE(MessageBox::lastShown().text, QStringLiteral("No services selected."));
    QVERIFY(FileDialog::requests().isEmpty());
}

void tst_MainWindowCommands::exportCancelled()
{
    MainWindow window;
    checkServices(serviceTable(window), {"Spooler"});
    run(window, "exportBatch");
    run(window, "exportJson");
    run(window, "exportAnsible");
    QCOMPARE(FileDialog::requests().size(), 3);
    QVERIFY(MessageBox::shown().isEmpty());
}

void tst_MainWindowCommands::exportWritesFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("filter");
    QTest::newRow("batch") << "exportBatch"
                           << "Export Batch Script"
                           << "Batch Files (*.bat)";
    QTest::newRow("json") << "exportJson"
                          << "Export JSON"
                          << "JSON Files (*.json)";
    QTest::newRow("ansible") << "exportAnsible"
                             << "Export Ansible Playbook"
                             << "Ansible Playbooks (*.yml *.yaml)";
}

void tst_MainWindowCommands::exportWritesFile()
{
    QFETCH(QString, command);
    QFETCH(QString, caption);
    QFETCH(QString, filter);

    MainWindow window;
    QTableView *table = serviceTable(window);
    table->sortByColumn(1, Qt::AscendingOrder);
    checkServices(table, {"BITS", "AcmeAgent", "wuauserv"});

    // No extension is added to the name the dialog returns.
    const QString path = m_env->filePath("exported services");
    FileDialog::queueFileName(path);
    run(window, command);

    QCOMPARE(FileDialog::requests().size(), 1);
    QCOMPARE(FileDialog::requests().first().caption, caption);
    QCOMPARE(FileDialog::requests().first().filter, filter);
    QVERIFY(FileDialog::requests().first().save);
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Information);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("Export"));
    QCOMPARE(MessageBox::lastShown().text, "Exported 3 services to:\n" + path);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray contents = file.readAll();
    if (command == "exportJson") {
        QCOMPARE(serviceNames(Ledgerwell::importFromJson(path)),
                 QStringList({"wuauserv", "AcmeAgent", "BITS"}));
    } else if (command == "exportAnsible") {
        const QList<ServiceInfo> selected = window.selectedServices();
        QCOMPARE(serviceNames(selected), QStringList({"wuauserv", "AcmeAgent", "BITS"}));
        QCOMPARE(contents, AnsiblePlaybook::write(selected).text);
    } else {
        // One create line per service, in enumeration order, with Windows line ends.
        const qsizetype first = contents.indexOf("sc create \"wuauserv\"");
        const qsizetype second = contents.indexOf("sc create \"AcmeAgent\"");
        const qsizetype third = contents.indexOf("sc create \"BITS\"");
        QVERIFY2(first >= 0 && first < second && second < third, contents.constData());
        QVERIFY(!contents.contains("Spooler"));
        QCOMPARE(contents.count("\r\n"), contents.count('\n'));
    }
}

void tst_MainWindowCommands::exportToUnwritablePath_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("target"); // relative to the test folder
    QTest::newRow("batch, missing folder") << "exportBatch"
                                           << "missing/out.bat";
    QTest::newRow("json, missing folder") << "exportJson"
                                          << "missing/out.json";
    QTest::newRow("json, a folder") << "exportJson"
                                    << "folder";
    QTest::newRow("ansible, missing folder") << "exportAnsible"
                                             << "missing/out.yml";
}

void tst_MainWindowCommands::exportToUnwritablePath()
{
    QFETCH(QString, command);
    QFETCH(QString, target);

    QDir folder(m_env->filePath("exports"));
    QVERIFY(folder.mkpath("folder"));
    MainWindow window;
    checkServices(serviceTable(window), {"Spooler"});
    const QString path = folder.filePath(target);
    FileDialog::queueFileName(path);
    run(window, command);

    QCOMPARE(MessageBox::shown().size(), 1);
    const MessageBox::Shown box = MessageBox::lastShown();
    QCOMPARE(box.icon, QMessageBox::Warning);
    QCOMPARE(box.title, QStringLiteral("Export"));
    QVERIFY2(box.text.startsWith("Cannot write file " + QDir::toNativeSeparators(path) + ":\n"),
             qPrintable(box.text));
    // The reason follows on its own line.
    QVERIFY(box.text.section('\n', 1).size() > 1);
    QVERIFY(!box.text.contains("Exported"));
    // Nothing was left behind: the folder holds only what the test made.
    QCOMPARE(folder.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             QStringList{"folder"});
    QVERIFY(QDir(folder.filePath("folder")).isEmpty());
}

QStringList tst_MainWindowCommands::importAndCloseDialog(MainWindow &window, const QString &path,
                                                         bool *opened)
{
    QStringList rows;
    *opened = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = qobject_cast<ImportDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        *opened = dialog->parentWidget() == &window;
        if (auto *table = dialog->findChild<QTableView *>())
            rows = rowNames(table);
        dialog->reject();
    });
    FileDialog::queueFileName(path);
    run(window, "import");
    return rows;
}

void tst_MainWindowCommands::batchExportRefusals_data()
{
    QTest::addColumn<QJsonObject>("service");
    QTest::addColumn<QString>("message");
    QTest::newRow("line over the limit")
        << simulatedService("Zzz", "Long", "C:\\z.exe", 3, "LocalSystem", QString(8200, u'%'))
        << "Cannot write the batch script: the description of service Zzz makes a line of "
           "16,423 characters; cmd.exe reads at most 8191.";
    QTest::newRow("name Windows refuses")
        << simulatedService("Zz/z", "Slashed", "C:\\z.exe")
        << "Exported 1 services to:\n%1\n\nLeft out of the script:\n"
           R"(record 2 ("Slashed") has a service name with "/" or "\")";
}

void tst_MainWindowCommands::batchExportRefusals()
{
    QFETCH(QJsonObject, service);
    QFETCH(QString, message);
    QVERIFY(m_env->writeDatabase(sampleServices() << service));
    const QString path = m_env->filePath("services.bat");
    QVERIFY(writeFile(path, "old"));

    MainWindow window;
    checkServices(serviceTable(window), {"Spooler", service.value("name").toString()});
    FileDialog::queueFileName(path);
    run(window, "exportBatch");

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().text, QString(message).replace("%1", path));
    const QByteArray script = readFile(path);
    if (message.startsWith("Cannot")) {
        QCOMPARE(script, QByteArray("old"));
    } else {
        QVERIFY(script.contains("sc create \"Spooler\""));
        QVERIFY(!script.contains("Slashed"));
    }
}

void tst_MainWindowCommands::importOpensDialog_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("two services") << QByteArray(
        R"([{"serviceName": "Alpha", "startType": "Auto"}, {"serviceName": "Beta"}])")
                                  << QStringList{"Alpha", "Beta"};
    QTest::newRow("entry without a name")
        << QByteArray(R"([{"displayName": "Nameless"}])") << QStringList{QString()};
}

void tst_MainWindowCommands::importOpensDialog()
{
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, rows);

    MainWindow window;
    QTableView *table = serviceTable(window);
    checkServices(table, {"Dnscache"});
    const QStringList rowsBefore = rowNames(table);
    const QString statusBefore = statusText(window);

    const QString path = m_env->filePath("import.json");
    QVERIFY(writeFile(path, contents));
    bool opened = false;
    QCOMPARE(importAndCloseDialog(window, path, &opened), rows);
    QVERIFY(opened);
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(FileDialog::requests().first().caption, QStringLiteral("Import Services"));
    QCOMPARE(FileDialog::requests().first().filter, QStringLiteral("JSON Files (*.json)"));
    QVERIFY(!FileDialog::requests().first().save);

    // The main window's list stays as it was.
    QCOMPARE(rowNames(table), rowsBefore);
    QCOMPARE(statusText(window), statusBefore);
    QCOMPARE(window.selectedServices().size(), 1);
}

void tst_MainWindowCommands::importFailure_data()
{
    QTest::addColumn<QByteArray>("contents"); // no file when null
    QTest::addColumn<QString>("reason");      // the lines below the first, %1 the native path

    QTest::newRow("object") << QByteArray(R"({"serviceName": "Alpha"})")
                            << "The file does not hold a list of services: its top level is not "
                               "a JSON array.";
    QTest::newRow("empty array") << QByteArray("[]") << QString();
    QTest::newRow("broken json") << QByteArray("[\n  {\"serviceName\": \"Alpha\"}\n  {}\n]")
                                 << "The file is not valid JSON: missing value separator "
                                    "(line 3, column 4).";
    QTest::newRow("missing file") << QByteArray()
                                  << "Cannot read file %1:\nNo such file or directory.";
}

void tst_MainWindowCommands::importFailure()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, reason);

    const QString path = m_env->filePath("import.json");
    if (!contents.isNull())
        QVERIFY(writeFile(path, contents));
    MainWindow window;
    bool opened = false;
    importAndCloseDialog(window, path, &opened);
    QVERIFY(!opened);

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("Import"));
    QString expected = "No services found in file.";
    if (!reason.isEmpty())
        expected += "\n\n" + reason.arg(QDir::toNativeSeparators(path));
    QCOMPARE(MessageBox::lastShown().text, expected);
}

void tst_MainWindowCommands::importCancelled()
{
    MainWindow window;
    bool opened = false;
    importAndCloseDialog(window, QString(), &opened);
    QVERIFY(!opened);
    QCOMPARE(FileDialog::requests().size(), 1);
    QVERIFY(MessageBox::shown().isEmpty());
}

QTEST_MAIN(tst_MainWindowCommands)
#include "tst_mainwindow_commands.moc"
