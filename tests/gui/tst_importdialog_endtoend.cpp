#include "ImportDialog.h"
#include "ImportTestSupport.h"
#include "ServiceTable.h"

#include "Ledgerwell.h"
#include "MessageBox.h"
#include "ServiceEnumerator.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTableView>
#include <QTableWidget>
#include <QTest>
#include <QTextEdit>

namespace {

template<typename T>
T *child(const QWidget *parent, const char *name)
{
    T *widget = parent->findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

// Every tab of the editor gets a change.
void editEverything(QWidget *editor)
{
    child<QLineEdit>(editor, "displayNameEdit")->setText("Edited \"display\" name");
    child<QTextEdit>(editor, "descriptionEdit")->setPlainText("Edited description, 100%.");
    child<QComboBox>(editor, "startTypeCombo")->setCurrentText("DelayedAuto");

    child<QRadioButton>(editor, "thisAccountRadio")->click();
    child<QLineEdit>(editor, "accountEdit")->setText(".\\svc-ledger");
    child<QLineEdit>(editor, "passwordEdit")->setText("not stored");

    child<QComboBox>(editor, "firstFailureCombo")->setCurrentIndex(1);
    child<QComboBox>(editor, "secondFailureCombo")->setCurrentIndex(2);
    child<QComboBox>(editor, "subsequentFailureCombo")->setCurrentIndex(3);
    child<QSpinBox>(editor, "resetDaysSpin")->setValue(3);
    child<QSpinBox>(editor, "restartMinutesSpin")->setValue(2);
    child<QLineEdit>(editor, "programEdit")->setText("C:\\Tools\\fix.cmd");
    child<QLineEdit>(editor, "programParamsEdit")->setText("/quiet \"all\"");
    child<QLineEdit>(editor, "rebootMessageEdit")->setText("Restarting for the service");

    QVERIFY(withNextModal(
        [&] { child<QPushButton>(editor, "addDependencyButton")->click(); },
        [](QWidget *add) {
            child<QLineEdit>(add, "dependencyNameEdit")->setText("Dnscache");
            add->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        }));
    child<QLineEdit>(editor, "loadOrderGroupEdit")->setText("NetworkProvider");

    child<QComboBox>(editor, "serviceTypeCombo")->setCurrentText("Share");
    child<QComboBox>(editor, "errorControlCombo")->setCurrentText("Severe");
    child<QComboBox>(editor, "sidTypeCombo")->setCurrentText("Restricted");
    child<QSpinBox>(editor, "preShutdownSpin")->setValue(90000);
    child<QTextEdit>(editor, "privilegesEdit")
        ->setPlainText("SeBackupPrivilege\n  SeRestorePrivilege  \n");

    child<QDialogButtonBox>(editor, "buttonBox")->button(QDialogButtonBox::Ok)->click();
}

} // namespace

class tst_ImportDialogEndToEnd final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void importEditPreviewInstall();

private:
    std::unique_ptr<ImportTestEnvironment> m_env;
};

void tst_ImportDialogEndToEnd::init()
{
    m_env = std::make_unique<ImportTestEnvironment>();
    QVERIFY(m_env->isValid());
    QFile::remove(m_env->databasePath());
    QVERIFY(QFile::copy(QStringLiteral(LEDGERWELL_SAMPLE_DATABASE), m_env->databasePath()));
    QFile::setPermissions(m_env->databasePath(), QFile::ReadOwner | QFile::WriteOwner);
}

void tst_ImportDialogEndToEnd::cleanup()
{
    m_env.reset();
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_ImportDialogEndToEnd::importEditPreviewInstall()
{
    // Export the sample machine and import the file again.
    const QList<ServiceInfo> machine = ServiceEnumerator::enumerate();
    QVERIFY(!machine.isEmpty());
    const QString file = m_env->filePath("machine.json");
    QVERIFY(Ledgerwell::exportToJson(file, machine));
    const QList<ServiceInfo> imported = Ledgerwell::importFromJson(file);
    QCOMPARE(imported, machine);

    const QString name = machine.constFirst().serviceName;
    ImportDialog dialog(imported);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    auto *table = child<QTableView>(&dialog, "serviceTable");
    child<QPushButton>(&dialog, "selectNoneButton")->click();
    const int row = rowOf(table, name);
    setCheckState(table, row, Qt::Checked);

    // Edit it in every tab.
    const QPoint center = table->visualRect(cell(table, row, ImportTable::NameColumn)).center();
    QVERIFY(withNextModal(
        [&] {
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, center);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, center);
        },
        editEverything));
    // The edit checks every row again; take this one alone.
    child<QPushButton>(&dialog, "selectNoneButton")->click();
    const int editedRow = rowOf(table, name);
    QVERIFY(cellIsBold(table, editedRow, ImportTable::NameColumn));
    setCheckState(table, editedRow, Qt::Checked);
    const QList<ServiceInfo> checked = dialog.checkedServices();
    QCOMPARE(checked.size(), 1);
    const ServiceInfo edited = checked.constFirst();
    QCOMPARE(edited.accountName, QStringLiteral(".\\svc-ledger"));
    QCOMPARE(edited.requiredPrivileges, QStringList({"SeBackupPrivilege", "SeRestorePrivilege"}));

    // Preview it against the installed service.
    table->setCurrentIndex(cell(table, editedRow, ImportTable::NameColumn));
    QStringList previewRow;
    QVERIFY(withNextModal([&] { child<QPushButton>(&dialog, "previewButton")->click(); },
                          [&](QWidget *preview) {
                              const auto *diff = child<QTableWidget>(preview, "differenceTable");
                              for (int r = 0; r < diff->rowCount(); ++r) {
                                  if (diff->item(r, 0)->text() == u"Display Name") {
                                      previewRow << diff->item(r, 1)->text()
                                                 << diff->item(r, 2)->text();
                                  }
                              }
                              child<QPushButton>(preview, "closeButton")->click();
                          }));
    QCOMPARE(previewRow, QStringList({machine.constFirst().displayName, edited.displayName}));

    // Install it over the installed one.
    MessageBox::reset();
    MessageBox::queueAnswer(QMessageBox::Yes);
    child<QPushButton>(&dialog, "installButton")->click();
    QCOMPARE(MessageBox::shown().size(), 2);
    QCOMPARE(MessageBox::shown().first().title, QStringLiteral("Services already exist"));
    QVERIFY2(MessageBox::lastShown().text.startsWith("1 of 1 services installed successfully.\n\n"
                                                     "The previous configuration"),
             qPrintable(MessageBox::lastShown().text));

    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(now.size(), machine.size());
    for (const ServiceInfo &service : now) {
        if (service.serviceName == name)
            QCOMPARE(service, edited);
        else
            QVERIFY(machine.contains(service));
    }
}

QTEST_MAIN(tst_ImportDialogEndToEnd)
#include "tst_importdialog_endtoend.moc"
