#include "ImportDialog.h"
#include "ImportTestSupport.h"
#include "ServiceTable.h"

#include "MessageBox.h"
#include "ServiceEnumerator.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QTest>

namespace {

struct PreviewSeen
{
    QString title;
    QStringList labels; // the dialog's labels, top to bottom
    QList<QStringList> rows;
    QList<QStringList> colours; // foreground per cell: "red", "green" or "" (default)
};

QString colourName(const QTableWidgetItem *item)
{
    const QVariant brush = item->data(Qt::ForegroundRole);
    if (!brush.isValid())
        return QString();
    const QColor colour = brush.value<QBrush>().color();
    return colour == QColor(Qt::darkRed)     ? QStringLiteral("red")
           : colour == QColor(Qt::darkGreen) ? QStringLiteral("green")
                                             : colour.name();
}

// Previews the record at this row of the import dialog's table and reads what the preview shows.
PreviewSeen preview(ImportDialog &dialog, const QString &name)
{
    PreviewSeen seen;
    auto *table = dialog.findChild<QTableView *>("serviceTable");
    table->setCurrentIndex(cell(table, rowOf(table, name), ImportTable::NameColumn));
    const bool opened =
        withNextModal([&] { dialog.findChild<QPushButton *>("previewButton")->click(); },
                      [&](QWidget *preview) {
                          seen.title = preview->windowTitle();
                          for (const QLabel *label : preview->findChildren<QLabel *>())
                              seen.labels.append(label->text());
                          const auto *diff = preview->findChild<QTableWidget *>("differenceTable");
                          for (int row = 0; row < diff->rowCount(); ++row) {
                              QStringList texts;
                              QStringList colours;
                              for (int column = 0; column < diff->columnCount(); ++column) {
                                  texts.append(diff->item(row, column)->text());
                                  colours.append(colourName(diff->item(row, column)));
                              }
                              seen.rows.append(texts);
                              seen.colours.append(colours);
                          }
                          preview->findChild<QPushButton *>("closeButton")->click();
                      });
    if (!opened)
        seen.title = QStringLiteral("(no preview)");
    return seen;
}

const QString Dash(QChar(0x2014));

QTableView *serviceTable(const ImportDialog &dialog)
{
    return dialog.findChild<QTableView *>("serviceTable");
}

QString statusOf(const ImportDialog &dialog, const QString &name)
{
    const QTableView *table = serviceTable(dialog);
    return cellText(table, rowOf(table, name), ImportTable::StatusColumn);
}

} // namespace

class tst_ImportDialogPreview final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void identicalServiceHasNoDifferences();
    void differingFieldsAreListedInOrder();
    void missingServiceWillBeCreated();
    void nameDiffersOnlyInCase();
    void statusColumn();
    void statusFollowsAnEdit();
    void installedListIsReadWhenADialogOpens();

private:
    bool writeMachine();

    std::unique_ptr<ImportTestEnvironment> m_env;
    QList<ServiceInfo> m_installed;
};

bool tst_ImportDialogPreview::writeMachine()
{
    QJsonObject spooler = simulatedService("Spooler", "Print Spooler", "C:\\spoolsv.exe");
    spooler["startType"] = 2;
    spooler["dependencies"] = QJsonArray{"RPCSS", "http"};
    spooler["failureActions"] =
        QJsonObject{{"resetPeriod", 86400},
                    {"actions", QJsonArray{QJsonObject{{"type", 1}, {"delayMs", 60000}}}}};
    spooler["sidType"] = 1;
    spooler["preshutdownTimeoutMs"] = 180000;
    return m_env->writeDatabase(
        {spooler, simulatedService("BITS", "Background Transfer", "C:\\svchost.exe")});
}

void tst_ImportDialogPreview::initTestCase()
{
    m_env = std::make_unique<ImportTestEnvironment>();
    QVERIFY(writeMachine());
    m_installed = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(m_installed), QStringList({"Spooler", "BITS"}));
}

void tst_ImportDialogPreview::cleanupTestCase()
{
    m_env.reset();
}

void tst_ImportDialogPreview::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_ImportDialogPreview::identicalServiceHasNoDifferences()
{
    ImportDialog dialog({m_installed.at(1)});
    const PreviewSeen seen = preview(dialog, "BITS");
    QCOMPARE(seen.title, QStringLiteral("Preview: BITS"));
    QCOMPARE(seen.labels, QStringList({"Comparing installed service with imported configuration:",
                                       "No differences found."}));
    QVERIFY(seen.rows.isEmpty());
}

void tst_ImportDialogPreview::differingFieldsAreListedInOrder()
{
    ServiceInfo imported = m_installed.at(0);
    imported.displayName = QStringLiteral("Spooler (new)");
    imported.failureResetDays = 0;
    imported.firstFailure = {QStringLiteral("none"), 60000};
    imported.dependencies = {QStringLiteral("http"), QStringLiteral("RPCSS")};
    ImportDialog dialog({importedService("Other"), imported});

    const PreviewSeen seen = preview(dialog, "Spooler");
    QCOMPARE(seen.labels.size(), 1);
    QCOMPARE(seen.rows, QList<QStringList>({{"Display Name", "Print Spooler", "Spooler (new)"},
                                            {"Dependencies", "RPCSS, http", "http, RPCSS"},
                                            {"Failure Reset", "1 days", "0 days"},
                                            {"First Failure", "restart (60000 ms)", "none"}}));
    for (const QStringList &colours : seen.colours)
        QCOMPARE(colours, QStringList({"", "red", "green"}));
}

void tst_ImportDialogPreview::missingServiceWillBeCreated()
{
    ServiceInfo imported =
        importedService("NewSvc", "New Service", "Auto", "LocalSystem", "C:\\new.exe");
    imported.preShutdownTimeout = 5000;
    imported.secondFailure = {QStringLiteral("restart"), 1000};
    ImportDialog dialog({imported});

    const PreviewSeen seen = preview(dialog, "NewSvc");
    QCOMPARE(seen.labels,
             QStringList({"Service \"NewSvc\" does not exist on this system. It will be created "
                          "as a new service."}));
    QCOMPARE(seen.rows, QList<QStringList>({{"Service Name", Dash, "NewSvc"},
                                            {"Display Name", Dash, "New Service"},
                                            {"Binary Path", Dash, "C:\\new.exe"},
                                            {"Startup Type", Dash, "Auto"},
                                            {"Service Type", Dash, "Own"},
                                            {"Error Control", Dash, "Normal"},
                                            {"Account", Dash, "LocalSystem"},
                                            {"First Failure", Dash, "none"},
                                            {"Second Failure", Dash, "restart (1000 ms)"},
                                            {"Subsequent Failures", Dash, "none"}}));
    for (const QStringList &colours : seen.colours)
        QCOMPARE(colours, QStringList({"", "", "green"}));
}

void tst_ImportDialogPreview::nameDiffersOnlyInCase()
{
    ServiceInfo imported = m_installed.at(1);
    imported.serviceName = QStringLiteral("bits");
    ImportDialog dialog({imported});
    const PreviewSeen seen = preview(dialog, "bits");
    // Windows takes both for the same service: the installed one is compared, and the spelling
    // the record would give it is the one difference.
    QVERIFY(!seen.labels.first().contains("does not exist"));
    QCOMPARE(seen.rows, QList<QStringList>({{"Service Name", "BITS", "bits"}}));
}

void tst_ImportDialogPreview::statusColumn()
{
    ServiceInfo changed = m_installed.at(0);
    changed.displayName = QStringLiteral("Spooler (new)");
    changed.dependencies.clear();
    ImportDialog dialog({importedService("NewSvc"), changed, m_installed.at(1)});
    QTableView *table = serviceTable(dialog);
    QCOMPARE(table->model()->headerData(ImportTable::StatusColumn, Qt::Horizontal).toString(),
             QStringLiteral("Status"));
    QCOMPARE(statusOf(dialog, "NewSvc"), QStringLiteral("New"));
    QCOMPARE(statusOf(dialog, "Spooler"), QStringLiteral("Differs (2)"));
    QCOMPARE(statusOf(dialog, "BITS"), QStringLiteral("Same"));
    // What the preview shows for each.
    QCOMPARE(preview(dialog, "Spooler").rows.size(), 2);
    QCOMPARE(preview(dialog, "BITS").labels.last(), QStringLiteral("No differences found."));

    // Sorted by how much an installation would change; the filter does not look at it.
    table->horizontalHeader()->setSortIndicator(ImportTable::StatusColumn, Qt::AscendingOrder);
    QCOMPARE(visibleRowNames(table), QStringList({"BITS", "Spooler", "NewSvc"}));
    dialog.findChild<QLineEdit *>("filterEdit")->setText("Same");
    QVERIFY(visibleRowNames(table).isEmpty());
}

void tst_ImportDialogPreview::statusFollowsAnEdit()
{
    ImportDialog dialog({m_installed.at(1)});
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(statusOf(dialog, "BITS"), QStringLiteral("Same"));

    QTableView *table = serviceTable(dialog);
    const QPoint center = table->visualRect(cell(table, 0, ImportTable::NameColumn)).center();
    QVERIFY(withNextModal(
        [&] {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, center);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, center);
        },
        [](QWidget *editor) {
            editor->findChild<QLineEdit *>("displayNameEdit")->setText("Edited");
            editor->findChild<QDialogButtonBox *>("buttonBox")
                ->button(QDialogButtonBox::Ok)
                ->click();
        }));
    QCOMPARE(statusOf(dialog, "BITS"), QStringLiteral("Differs (1)"));
    QCOMPARE(preview(dialog, "BITS").rows,
             QList<QStringList>({{"Display Name", "Background Transfer", "Edited"}}));
}

void tst_ImportDialogPreview::installedListIsReadWhenADialogOpens()
{
    ImportDialog first({m_installed.at(1)});

    // The machine changes while the dialog is open (BITS renamed, Spooler gone): the dialog keeps
    // the reading it took, for its statuses and its preview alike.
    QVERIFY(m_env->writeDatabase({simulatedService("BITS", "Changed", "C:\\svchost.exe")}));
    QCOMPARE(statusOf(first, "BITS"), QStringLiteral("Same"));
    QCOMPARE(preview(first, "BITS").labels.last(), QStringLiteral("No differences found."));

    // A dialog opened later reads the machine as it is then.
    ImportDialog second({m_installed.at(1), importedService("Spooler")});
    QCOMPARE(statusOf(second, "BITS"), QStringLiteral("Differs (1)"));
    QCOMPARE(preview(second, "BITS").rows,
             QList<QStringList>({{"Display Name", "Changed", "Background Transfer"}}));
    QCOMPARE(statusOf(second, "Spooler"), QStringLiteral("New"));
    // The first one still shows what it read.
    QCOMPARE(statusOf(first, "BITS"), QStringLiteral("Same"));

    QVERIFY(writeMachine());
}

QTEST_MAIN(tst_ImportDialogPreview)
#include "tst_importdialog_preview.moc"
