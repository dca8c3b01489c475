#include "ImportDialog.h"
#include "ImportTestSupport.h"
#include "ServiceTable.h"

#include "FileDialog.h"
#include "MessageBox.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

QList<ServiceInfo> threeServices()
{
    return {importedService("Spooler", "Print Spooler", "Auto", "LocalSystem",
                            "C:\\Windows\\System32\\spoolsv.exe", "Spools print jobs."),
            importedService("AcmeAgent", "Acme Agent", "DelayedAuto", ".\\acme",
                            "\"C:\\Program Files\\Acme\\agent.exe\" --service"),
            importedService("BITS", "Background Intelligent Transfer Service", "Manual",
                            "LocalSystem", "C:\\Windows\\System32\\svchost.exe -k netsvcs")};
}

// Two start types and two accounts, each shared by two records in another pairing.
QList<ServiceInfo> fourServices()
{
    return {importedService("Spooler", "Print Spooler", "Auto", "LocalSystem"),
            importedService("AcmeAgent", "Acme Agent", "Manual", ".\\acme"),
            importedService("BITS", "Background Transfer", "Auto", ".\\acme"),
            importedService("Winmgmt", "WMI", "Manual", "LocalSystem")};
}

QTableView *table(const ImportDialog &dialog)
{
    return dialog.findChild<QTableView *>("serviceTable");
}

void setChecked(QTableView *table, int row, bool checked)
{
    setCheckState(table, row, checked ? Qt::Checked : Qt::Unchecked);
}

bool allChecked(const QTableView *table)
{
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        if (checkState(table, row) != Qt::Checked)
            return false;
    }
    return true;
}

bool rowIsBold(const QTableView *table, int row)
{
    for (int column = 0; column < table->model()->columnCount(); ++column) {
        if (!cellIsBold(table, row, column))
            return false;
    }
    return true;
}

void clickButton(const ImportDialog &dialog, const char *name)
{
    auto *button = dialog.findChild<QPushButton *>(name);
    QVERIFY(button);
    button->click();
}

void doubleClick(QTableView *t, int row)
{
    // An item view takes a double-click only on the item it saw pressed first.
    const QPoint center = t->visualRect(cell(t, row, ImportTable::NameColumn)).center();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, center);
    QTest::mouseDClick(t->viewport(), Qt::LeftButton, {}, center);
}

// Opens the editor with a double-click on the row of this service, lets edit change it, then
// presses OK.
bool editRow(ImportDialog &dialog, const QString &name, const std::function<void(QWidget *)> &edit)
{
    QTableView *t = table(dialog);
    const int row = rowOf(t, name);
    if (row < 0)
        return false;
    return withNextModal([&] { doubleClick(t, row); },
                         [&](QWidget *editor) {
                             edit(editor);
                             editor->findChild<QDialogButtonBox *>("buttonBox")
                                 ->button(QDialogButtonBox::Ok)
                                 ->click();
                         });
}

void setDisplayName(QWidget *editor, const QString &text)
{
    editor->findChild<QLineEdit *>("displayNameEdit")->setText(text);
}

// The texts of the row menu opened at this point of the viewport.
QStringList menuTexts(QTableView *t, const QPoint &pos)
{
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions())
            texts.append(action->isSeparator() ? QStringLiteral("-") : action->text());
        menu->close();
    });
    emit t->customContextMenuRequested(pos);
    return texts;
}

} // namespace

class tst_ImportDialog final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void showsRecordsCheckedInFileOrder();
    void checkedServicesFollowFileOrderNotSortOrder();
    void sortIsStable_data();
    void sortIsStable();
    void hiddenCheckedRowsAreExportedAndDeselected();
    void filter_data();
    void filter();
    void duplicateNamesAreCheckedTogether();
    void editMakesRowBoldAndChecksEveryRow();
    void renameToAnotherNameMakesBothRowsBold();
    void boldRowsUseTheTablesFont();
    void editKeepsTheFilter();
    void exportBatch();
    void exportBatchRefusals();
    void exportBatchLeavesOutUnusableNames();
    void exportBatchRefusesOverLongLine();
    void columnsFitTheirContents_data();
    void columnsFitTheirContents();
    void previewNeedsACurrentRow();
    void rowMenu();

private:
    std::unique_ptr<ImportTestEnvironment> m_env;
};

void tst_ImportDialog::init()
{
    m_env = std::make_unique<ImportTestEnvironment>();
    QVERIFY(m_env->isValid());
}

void tst_ImportDialog::cleanup()
{
    m_env.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_ImportDialog::showsRecordsCheckedInFileOrder()
{
    ImportDialog dialog(threeServices());
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Import Services"));
    QTableView *t = table(dialog);
    QCOMPARE(t->model()->columnCount(), 7);
    QCOMPARE(t->model()->headerData(ImportTable::StatusColumn, Qt::Horizontal).toString(),
             QStringLiteral("Status"));
    // Nothing is installed on this machine.
    QCOMPARE(cellText(t, 0, ImportTable::StatusColumn), QStringLiteral("New"));
    QCOMPARE(rowNames(t), QStringList({"Spooler", "AcmeAgent", "BITS"}));
    QVERIFY(allChecked(t));
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(cell(t, row, ImportTable::NameColumn).data(Qt::UserRole).toInt(), row);
        QCOMPARE(cell(t, row, ImportTable::CheckColumn).flags(),
                 Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    }
    QCOMPARE(cell(t, 0, ImportTable::NameColumn).data(Qt::ToolTipRole).toString(),
             QStringLiteral("Spools print jobs."));
    QVERIFY(cell(t, 1, ImportTable::NameColumn).data(Qt::ToolTipRole).isNull());
    QCOMPARE(cellText(t, 1, ImportTable::StartTypeColumn), QStringLiteral("DelayedAuto"));
    QCOMPARE(cellText(t, 1, ImportTable::AccountColumn), QStringLiteral(".\\acme"));
    QCOMPARE(t->columnWidth(ImportTable::CheckColumn), 30);
    QCOMPARE(serviceNames(dialog.checkedServices()), QStringList({"Spooler", "AcmeAgent", "BITS"}));
}

void tst_ImportDialog::checkedServicesFollowFileOrderNotSortOrder()
{
    ImportDialog dialog(threeServices());
    QTableView *t = table(dialog);
    t->horizontalHeader()->setSortIndicator(ImportTable::NameColumn, Qt::DescendingOrder);
    QCOMPARE(rowNames(t), QStringList({"Spooler", "BITS", "AcmeAgent"}));

    setChecked(t, 1, false);
    QCOMPARE(serviceNames(dialog.checkedServices()), QStringList({"Spooler", "AcmeAgent"}));
    // Indexes travel with the rows.
    QCOMPARE(cell(t, 2, ImportTable::NameColumn).data(Qt::UserRole).toInt(), 1);
}

void tst_ImportDialog::sortIsStable_data()
{
    QTest::addColumn<QString>("filter");    // typed before the sorts, cleared after them
    QTest::addColumn<QStringList>("steps"); // a header and + or -, or "edit"
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("equals keep the file order")
        << "" << QStringList{"Start Type+"}
        << QStringList{"Spooler", "BITS", "AcmeAgent", "Winmgmt"};
    QTest::newRow("equals keep the file order, descending")
        << "" << QStringList{"Start Type-"}
        << QStringList{"AcmeAgent", "Winmgmt", "Spooler", "BITS"};
    QTest::newRow("a second column sorts within the first")
        << "" << QStringList{"Name+", "Start Type+"}
        << QStringList{"BITS", "Spooler", "AcmeAgent", "Winmgmt"};
    QTest::newRow("three columns") << "" << QStringList{"Name-", "Account+", "Start Type-"}
                                   << QStringList{"AcmeAgent", "Winmgmt", "BITS", "Spooler"};
    QTest::newRow("the other direction keeps equals as shown")
        << "" << QStringList{"Name+", "Start Type+", "Start Type-"}
        << QStringList{"AcmeAgent", "Winmgmt", "BITS", "Spooler"};
    QTest::newRow("the check column keeps the order shown")
        << "" << QStringList{"Name-", "+"}
        << QStringList{"Winmgmt", "Spooler", "BITS", "AcmeAgent"};
    QTest::newRow("hidden rows are sorted too")
        << "LocalSystem" << QStringList{"Name-", "Start Type+"}
        << QStringList{"Spooler", "BITS", "Winmgmt", "AcmeAgent"};
    QTest::newRow("an edit fills the table anew")
        << "" << QStringList{"Name+", "Start Type+", "edit"}
        << QStringList{"Spooler", "BITS", "AcmeAgent", "Winmgmt"};
}

// As a table of items sorts: a click on a header sorts stably from the order shown.
void tst_ImportDialog::sortIsStable()
{
    QFETCH(QString, filter);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, rows);

    ImportDialog dialog(fourServices());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableView *t = table(dialog);
    auto *filterEdit = dialog.findChild<QLineEdit *>("filterEdit");
    filterEdit->setText(filter);
    for (const QString &step : std::as_const(steps)) {
        if (step == QLatin1String("edit")) {
            QVERIFY(editRow(dialog, "Winmgmt",
                            [](QWidget *editor) { setDisplayName(editor, "Edited"); }));
            continue;
        }
        int column = 0;
        while (column < t->model()->columnCount()
               && t->model()->headerData(column, Qt::Horizontal).toString() != step.chopped(1))
            ++column;
        QVERIFY2(column < t->model()->columnCount(), qPrintable(step));
        t->horizontalHeader()->setSortIndicator(column, step.endsWith(u'+') ? Qt::AscendingOrder
                                                                            : Qt::DescendingOrder);
    }
    filterEdit->clear();
    QCOMPARE(visibleRowNames(t), rows);
    QCOMPARE(rowNames(t), rows);
}

void tst_ImportDialog::hiddenCheckedRowsAreExportedAndDeselected()
{
    ImportDialog dialog(threeServices());
    QTableView *t = table(dialog);
    dialog.findChild<QLineEdit *>("filterEdit")->setText("spooler");
    QCOMPARE(visibleRowNames(t), QStringList{"Spooler"});

    const QString path = m_env->filePath("out.bat");
    FileDialog::queueFileName(path);
    clickButton(dialog, "exportBatchButton");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray script = file.readAll();
    QVERIFY(script.contains("sc create \"AcmeAgent\""));
    QVERIFY(script.contains("sc create \"BITS\""));

    clickButton(dialog, "selectNoneButton");
    QVERIFY(dialog.checkedServices().isEmpty());
    QCOMPARE(visibleRowNames(t), QStringList{"Spooler"}); // deselecting does not touch the filter
    dialog.findChild<QLineEdit *>("filterEdit")->clear();
    for (int row = 0; row < t->model()->rowCount(); ++row)
        QCOMPARE(checkState(t, row), Qt::Unchecked);
}

void tst_ImportDialog::filter_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("visible");

    QTest::newRow("capitals match lower case") << "PRINT" << QStringList{"Spooler"};
    QTest::newRow("start type column") << "Auto" << QStringList{"Spooler", "AcmeAgent"};
    QTest::newRow("binary path") << "netsvcs" << QStringList{"BITS"};
    QTest::newRow("account") << ".\\ACME" << QStringList{"AcmeAgent"};
    QTest::newRow("empty shows all") << "" << QStringList{"Spooler", "AcmeAgent", "BITS"};
    QTest::newRow("no match") << "zebra" << QStringList();
    QTest::newRow("status is not searched") << "New" << QStringList();
}

void tst_ImportDialog::filter()
{
    QFETCH(QString, text);
    QFETCH(QStringList, visible);

    ImportDialog dialog(threeServices());
    QTableView *t = table(dialog);
    auto *edit = dialog.findChild<QLineEdit *>("filterEdit");
    edit->setText("x-no-such-text");
    edit->setText(text);

    QCOMPARE(visibleRowNames(t), visible);
    edit->clear();
    QVERIFY(allChecked(t));
}

void tst_ImportDialog::duplicateNamesAreCheckedTogether()
{
    QList<ServiceInfo> services = threeServices();
    services.append(importedService("Spooler", "Second Spooler"));
    ImportDialog dialog(services);
    QTableView *t = table(dialog);

    setChecked(t, 3, false);
    const QList<ServiceInfo> checked = dialog.checkedServices();
    QCOMPARE(serviceNames(checked), QStringList({"Spooler", "AcmeAgent", "BITS", "Spooler"}));
    QCOMPARE(checked.at(3).displayName, QStringLiteral("Second Spooler"));
}

void tst_ImportDialog::editMakesRowBoldAndChecksEveryRow()
{
    ImportDialog dialog(threeServices());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableView *t = table(dialog);
    t->horizontalHeader()->setSortIndicator(ImportTable::NameColumn, Qt::DescendingOrder);
    setChecked(t, 0, false);
    setChecked(t, 2, false);

    QVERIFY(editRow(dialog, "BITS", [](QWidget *editor) { setDisplayName(editor, "Edited"); }));

    QCOMPARE(rowNames(t), QStringList({"Spooler", "BITS", "AcmeAgent"}));
    QCOMPARE(t->horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    QVERIFY(allChecked(t));
    QVERIFY(rowIsBold(t, 1));
    QVERIFY(!rowIsBold(t, 0) && !cellIsBold(t, 2, ImportTable::NameColumn));
    QCOMPARE(cellText(t, 1, ImportTable::DisplayNameColumn), QStringLiteral("Edited"));
    QCOMPARE(dialog.checkedServices().at(2).displayName, QStringLiteral("Edited"));

    // Cancel changes nothing; OK without a change still marks the row.
    QVERIFY(withNextModal([&] { doubleClick(t, 2); },
                          [](QWidget *editor) {
                              setDisplayName(editor, "Cancelled");
                              editor->findChild<QDialogButtonBox *>("buttonBox")
                                  ->button(QDialogButtonBox::Cancel)
                                  ->click();
                          }));
    QCOMPARE(dialog.checkedServices().at(1).displayName, QStringLiteral("Acme Agent"));
    QVERIFY(!rowIsBold(t, 2));
    QVERIFY(editRow(dialog, "AcmeAgent", [](QWidget *) {}));
    QVERIFY(rowIsBold(t, 2));
}

void tst_ImportDialog::renameToAnotherNameMakesBothRowsBold()
{
    ImportDialog dialog(threeServices());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableView *t = table(dialog);

    QVERIFY(editRow(dialog, "BITS", [](QWidget *editor) {
        editor->findChild<QLineEdit *>("serviceNameEdit")->setText("  Spooler ");
    }));
    QCOMPARE(rowNames(t), QStringList({"Spooler", "AcmeAgent", "Spooler"}));
    QVERIFY(rowIsBold(t, 0));
    QVERIFY(!rowIsBold(t, 1));
    QVERIFY(rowIsBold(t, 2));
}

void tst_ImportDialog::boldRowsUseTheTablesFont()
{
    ImportDialog dialog(threeServices());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableView *t = table(dialog);
    QFont font = t->font();
    font.setPointSize(font.pointSize() + 7);
    t->setFont(font);

    QVERIFY(editRow(dialog, "BITS", [](QWidget *) {}));
    const QFont bold =
        cell(t, rowOf(t, "BITS"), ImportTable::AccountColumn).data(Qt::FontRole).value<QFont>();
    QCOMPARE(bold.pointSize(), font.pointSize());
    QCOMPARE(bold.weight(), QFont::Bold);
}

void tst_ImportDialog::editKeepsTheFilter()
{
    ImportDialog dialog(threeServices());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableView *t = table(dialog);
    t->horizontalHeader()->setSortIndicator(ImportTable::NameColumn, Qt::AscendingOrder);
    dialog.findChild<QLineEdit *>("filterEdit")->setText("svchost");
    QCOMPARE(rowNames(t), QStringList({"AcmeAgent", "BITS", "Spooler"}));

    // The edited record moves to the top; the filter must follow it, not stay with the row.
    QVERIFY(editRow(dialog, "BITS", [](QWidget *editor) {
        editor->findChild<QLineEdit *>("serviceNameEdit")->setText("AAA");
    }));
    QCOMPARE(rowNames(t), QStringList({"AAA", "AcmeAgent", "Spooler"}));
    QCOMPARE(visibleRowNames(t), QStringList{"AAA"});
}

void tst_ImportDialog::exportBatch()
{
    ImportDialog dialog(threeServices());
    setChecked(table(dialog), 1, false);
    const QString path = m_env->filePath("two.bat");
    FileDialog::queueFileName(path);
    clickButton(dialog, "exportBatchButton");

    QCOMPARE(FileDialog::requests().size(), 1);
    QCOMPARE(FileDialog::requests().first().caption, QStringLiteral("Save Batch Script"));
    QCOMPARE(FileDialog::requests().first().filter, QStringLiteral("Batch Files (*.bat)"));
    const MessageBox::Shown shown = MessageBox::lastShown();
    QCOMPARE(shown.icon, QMessageBox::Information);
    QCOMPARE(shown.title, QStringLiteral("Export"));
    QCOMPARE(shown.text, QStringLiteral("Exported 2 services to:\n%1").arg(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray script = file.readAll();
    QVERIFY(script.contains("sc create \"Spooler\""));
    QVERIFY(!script.contains("AcmeAgent"));
}

void tst_ImportDialog::exportBatchRefusals()
{
    ImportDialog dialog(threeServices());

    // Cancelled file dialog: nothing at all.
    clickButton(dialog, "exportBatchButton");
    QVERIFY(MessageBox::shown().isEmpty());

    // A file that cannot be written: a warning, not the success text.
    const QString path = m_env->filePath("no-such-folder/out.bat");
    FileDialog::queueFileName(path);
    clickButton(dialog, "exportBatchButton");
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("Export"));
    QVERIFY(MessageBox::lastShown().text.startsWith("Cannot write file "));
    QVERIFY(!QFile::exists(path));

    clickButton(dialog, "selectNoneButton");
    MessageBox::reset();
    FileDialog::reset();
    clickButton(dialog, "exportBatchButton");
    QVERIFY(FileDialog::requests().isEmpty());
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().text, QStringLiteral("No services selected."));
}

void tst_ImportDialog::exportBatchLeavesOutUnusableNames()
{
    QList<ServiceInfo> services = threeServices();
    services.insert(1, importedService("", "Nameless", "Auto", "LocalSystem", "a.exe"));
    services.append(importedService("Acme/Agent", "Slashed", "Auto", "LocalSystem", "b.exe"));
    ImportDialog dialog(services);
    const QString path = m_env->filePath("kept.bat");
    FileDialog::queueFileName(path);
    clickButton(dialog, "exportBatchButton");

    // Named by their position in the file; the others are written.
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().text,
             "Exported 3 services to:\n" + path
                 + "\n\nLeft out of the script:\n"
                   R"(record 2 ("Nameless") has no service name)"
                   "\n"
                   R"(record 5 ("Slashed") has a service name with "/" or "\")");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray script = file.readAll();
    QCOMPARE(script.count("sc create "), 3);
    QVERIFY(!script.contains("Nameless"));
    QVERIFY(!script.contains("Slashed"));
}

void tst_ImportDialog::exportBatchRefusesOverLongLine()
{
    QList<ServiceInfo> services = threeServices();
    services[2].description = QString(9000, u'x');
    ImportDialog dialog(services);
    const QString path = m_env->filePath("old.bat");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    FileDialog::queueFileName(path);
    clickButton(dialog, "exportBatchButton");

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().text,
             "Cannot write the batch script: the description of service BITS makes a line of "
             "9,024 characters; cmd.exe reads at most 8191.");
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), QByteArray("old"));
}

void tst_ImportDialog::columnsFitTheirContents_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("wide"); // the record with the widest display name
    QTest::newRow("a few records") << 3 << 1;
    // More rows than the widths are measured on: the widest is not among the rows sampled.
    QTest::newRow("four hundred records") << 400 << 51;
    QTest::newRow("five thousand records") << 5000 << 3333;
}

// As wide as Qt's own fitting makes each column, which reads the first thousand rows, and as wide
// as the widest text beyond them, while the dialog reads only some of the rows.
void tst_ImportDialog::columnsFitTheirContents()
{
    QFETCH(int, count);
    QFETCH(int, wide);
    QList<ServiceInfo> services;
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("Svc%1").arg(i, 4, 10, QChar(u'0'));
        services.append(importedService(name, i == wide ? QString(120, u'W') : name));
    }
    ImportDialog dialog(services);
    QTableView *t = table(dialog);
    QList<int> fitted;
    for (int column = 0; column < t->model()->columnCount(); ++column)
        fitted.append(t->columnWidth(column));
    QCOMPARE(fitted.first(), 30);

    const int wideRow = rowOf(t, services.at(wide).serviceName);
    QVERIFY(fitted.at(ImportTable::DisplayNameColumn)
            >= t->sizeHintForIndex(cell(t, wideRow, ImportTable::DisplayNameColumn)).width());
    t->horizontalHeader()->setStretchLastSection(false);
    t->resizeColumnsToContents();
    for (int column = ImportTable::NameColumn; column < ImportTable::BinaryPathColumn; ++column) {
        if (column != ImportTable::DisplayNameColumn
            || wideRow < t->horizontalHeader()->resizeContentsPrecision())
            QCOMPARE(fitted.at(column), t->columnWidth(column));
    }
}

void tst_ImportDialog::previewNeedsACurrentRow()
{
    ImportDialog dialog(threeServices());
    table(dialog)->setCurrentIndex(QModelIndex());
    clickButton(dialog, "previewButton");
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("Preview"));
    QCOMPARE(MessageBox::lastShown().text, QStringLiteral("Please select a service first."));
}

void tst_ImportDialog::rowMenu()
{
    ImportDialog dialog(threeServices());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTableView *t = table(dialog);

    const QPoint onRow = t->visualRect(cell(t, 1, ImportTable::NameColumn)).center();
    QCOMPARE(menuTexts(t, onRow),
             QStringList({"Edit...", "Preview Changes...", "-", "Deselect All"}));
    const QPoint belowRows(5, t->viewport()->height() - 2);
    QCOMPARE(t->rowAt(belowRows.y()), -1);
    QCOMPARE(menuTexts(t, belowRows), QStringList({"Deselect All"}));
}

QTEST_MAIN(tst_ImportDialog)
#include "tst_importdialog.moc"
