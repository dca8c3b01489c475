#include "ImportDialog.h"
#include "ImportTestSupport.h"
#include "ListMessageBox.h"
#include "ServiceTable.h"

#include "Ledgerwell.h"
#include "MessageBox.h"
#include "ServiceEnumerator.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QListWidget>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

void install(const ImportDialog &dialog)
{
    dialog.findChild<QPushButton *>("installButton")->click();
}

} // namespace

class tst_ImportDialogInstall final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void nothingChecked();
    void installsNewServicesWithoutAsking();
    void replacesARunningServiceAfterConfirmation();
    void cancelAtTheSecondRecord();
    void cancelDuringARecordFinishesItFirst();
    void failedCreateIsRestoredAndReported();
    void failedFollowUpIsListed();
    void toolMissingFromPath();
    void progressFromTheFirstQueryCanCancel();
    void confirmationStaysReadableForManyNames();
    void serviceNamedInOtherCaseIsReplaced();
    void unusableNamesAreMarkedAndRefused();

private:
    std::unique_ptr<ImportTestEnvironment> m_env;
};

void tst_ImportDialogInstall::init()
{
    m_env = std::make_unique<ImportTestEnvironment>();
    QVERIFY(m_env->isValid());
}

void tst_ImportDialogInstall::cleanup()
{
    m_env.reset();
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_ImportDialogInstall::nothingChecked()
{
    ImportDialog dialog({importedService("Acme")});
    dialog.findChild<QPushButton *>("selectNoneButton")->click();
    install(dialog);
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("Install"));
    QCOMPARE(MessageBox::lastShown().text, QStringLiteral("No services selected."));
    QVERIFY(ServiceEnumerator::enumerate().isEmpty());
}

void tst_ImportDialogInstall::installsNewServicesWithoutAsking()
{
    const ServiceInfo full = serviceWithEveryField("AcmeAgent");
    const ServiceInfo plain = importedService("Plain", "Plain", "Auto");
    ImportDialog dialog({full, plain});
    dialog.show();
    const auto *table = dialog.findChild<QTableView *>("serviceTable");
    const auto status = [table] {
        return cellText(table, rowOf(table, "AcmeAgent"), ImportTable::StatusColumn);
    };
    QCOMPARE(status(), QStringLiteral("New"));
    install(dialog);

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Information);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("Install"));
    QCOMPARE(MessageBox::lastShown().text,
             QStringLiteral("2 of 2 services installed successfully."));
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"AcmeAgent", "Plain"}));
    QCOMPARE(now.at(0), full);
    // The status follows the machine as the installation left it.
    QCOMPARE(status(), QStringLiteral("Same"));
    // The dialog stays as it was.
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.checkedServices().size(), 2);
}

void tst_ImportDialogInstall::replacesARunningServiceAfterConfirmation()
{
    QVERIFY(m_env->writeDatabase({runningService("Spooler", "Old Spooler", 700),
                                  simulatedService("Other", "Other", "C:\\other.exe")}));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();
    ServiceInfo replacement = serviceWithEveryField("Spooler");
    ImportDialog dialog({importedService("NewOne"), replacement});
    dialog.show();

    MessageBox::queueAnswer(QMessageBox::No);
    install(dialog);
    QCOMPARE(MessageBox::shown().size(), 1);
    const MessageBox::Shown confirmation = MessageBox::lastShown();
    QCOMPARE(confirmation.title, QStringLiteral("Services already exist"));
    QCOMPARE(confirmation.buttons, QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(confirmation.defaultButton, QMessageBox::No);
    QCOMPARE(confirmation.list, QStringList({"Spooler"}));
    QVERIFY(confirmation.text.startsWith(
        "The following services already exist and will be deleted and recreated:\n\nSpooler\n\n"));
    QVERIFY(confirmation.text.endsWith("\n\nContinue?"));
    QCOMPARE(ServiceEnumerator::enumerate(), before);
    QVERIFY(!QFileInfo::exists(QDir::fromNativeSeparators(backupPathIn(confirmation.text))));

    MessageBox::reset();
    MessageBox::queueAnswer(QMessageBox::Yes);
    install(dialog);
    QCOMPARE(MessageBox::shown().size(), 2);
    const QString backup =
        QDir::fromNativeSeparators(backupPathIn(MessageBox::shown().first().text));
    QVERIFY(backup.startsWith(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)));
    const QString report = MessageBox::lastShown().text;
    QVERIFY2(report.startsWith("2 of 2 services installed successfully."), qPrintable(report));
    QVERIFY(!report.contains("Errors:"));
    QCOMPARE(QDir::fromNativeSeparators(backupPathIn(report)), backup);

    QCOMPARE(Ledgerwell::importFromJson(backup), QList<ServiceInfo>({before.at(0)}));
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"Other", "NewOne", "Spooler"}));
    QCOMPARE(now.at(2), replacement);
}

void tst_ImportDialogInstall::cancelAtTheSecondRecord()
{
    ImportDialog dialog(
        {importedService("First"), importedService("Second"), importedService("Third")});
    dialog.show();

    QList<int> seenValues;
    QTimer watcher;
    watcher.setInterval(0);
    connect(&watcher, &QTimer::timeout, this, [&] {
        auto *progress = dialog.findChild<QProgressDialog *>("installProgress");
        if (!progress || progress->wasCanceled())
            return;
        QCOMPARE(progress->windowModality(), Qt::WindowModal);
        QCOMPARE(progress->maximum(), 3);
        // The existence pass shows its own steps first.
        if (!progress->labelText().startsWith(u"Installing "))
            return;
        if (seenValues.isEmpty() || seenValues.last() != progress->value())
            seenValues.append(progress->value());
        if (progress->value() == 1 && progress->labelText() == u"Installing Second...")
            progress->cancel();
    });
    watcher.start();
    install(dialog);
    watcher.stop();

    QCOMPARE(seenValues, QList<int>({0, 1}));
    QCOMPARE(MessageBox::lastShown().text,
             QStringLiteral("1 of 3 services installed successfully.\n\nThe installation was "
                            "cancelled. These services were not touched:\nSecond\nThird"));
    QCOMPARE(serviceNames(ServiceEnumerator::enumerate()), QStringList({"First"}));
}

void tst_ImportDialogInstall::cancelDuringARecordFinishesItFirst()
{
    QVERIFY(m_env->writeDatabase({runningService("Spooler", "Old Spooler", 700)}));
    MessageBox::queueAnswer(QMessageBox::Yes);
    ImportDialog dialog({importedService("Spooler", "New Spooler"), importedService("Second")});
    dialog.show();

    // Cancel while the first record waits for its service to stop. Cancel hides the progress
    // and so unblocks the dialog: no event may be taken until that record is done.
    QElapsedTimer sinceFirst;
    int valueAfterCancel = -2;
    QTimer watcher;
    watcher.setInterval(0);
    connect(&watcher, &QTimer::timeout, this, [&] {
        auto *progress = dialog.findChild<QProgressDialog *>("installProgress");
        if (!progress)
            return;
        if (progress->wasCanceled()) {
            if (valueAfterCancel == -2)
                valueAfterCancel = progress->value();
            return;
        }
        if (!progress->labelText().startsWith(u"Installing "))
            return;
        if (!sinceFirst.isValid())
            sinceFirst.start();
        else if (sinceFirst.elapsed() > 200)
            progress->cancel();
    });
    watcher.start();
    install(dialog);
    watcher.stop();

    QCOMPARE(valueAfterCancel, 1); // first seen when the loop turns to the next record
    QVERIFY2(MessageBox::lastShown().text.startsWith(
                 "1 of 2 services installed successfully.\n\nThe installation was cancelled. "
                 "These services were not touched:\nSecond\n\n"),
             qPrintable(MessageBox::lastShown().text));
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"Spooler"}));
    QCOMPARE(now.constFirst().displayName, QStringLiteral("New Spooler"));
}

void tst_ImportDialogInstall::failedCreateIsRestoredAndReported()
{
    QJsonObject old = simulatedService("Acme", "Old Acme", "C:\\acme.exe");
    old["description"] = "Kept safe.";
    QVERIFY(m_env->writeDatabase({old}));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();

    MessageBox::queueAnswer(QMessageBox::Yes);
    ImportDialog dialog({importedService("Acme", "New Acme", "Boot")});
    dialog.show();
    install(dialog);

    const QString report = MessageBox::lastShown().text;
    static const QRegularExpression line(QStringLiteral(
        "^0 of 1 services installed successfully\\.\\n\\nErrors:\\n"
        "Acme: create failed - [^\\n]*FAILED[^\\n]*; the previous service was restored\\n\\n"
        "The previous configuration of the replaced services was saved to:\\n"));
    QVERIFY2(line.match(report).hasMatch(), qPrintable(report));
    QCOMPARE(ServiceEnumerator::enumerate(), before);
}

void tst_ImportDialogInstall::failedFollowUpIsListed()
{
    ServiceInfo service = serviceWithEveryField("Acme");
    service.sidType = QStringLiteral("Odd");
    ImportDialog dialog({service});
    dialog.show();
    install(dialog);

    const QString report = MessageBox::lastShown().text;
    QVERIFY2(report.startsWith("1 of 1 services installed successfully.\n\nErrors:\n"
                               "Acme: sidtype failed - "),
             qPrintable(report));
    QCOMPARE(report.count(u'\n'), 3); // one error line, no backup note
}

void tst_ImportDialogInstall::toolMissingFromPath()
{
    QVERIFY(m_env->writeDatabase({simulatedService("Acme", "Acme", "C:\\acme.exe")}));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();
    qputenv("PATH", QFile::encodeName(m_env->filePath("empty")));

    ImportDialog dialog({importedService("Acme", "New"), importedService("Other")});
    dialog.show();
    install(dialog);

    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("Install"));
    QVERIFY2(MessageBox::lastShown().text.startsWith(
                 "Cannot find out which services already exist, so nothing was changed:\n\""
                 "sc\" could not be started"),
             qPrintable(MessageBox::lastShown().text));
    QVERIFY(dialog.findChildren<QProgressDialog *>().isEmpty());
    QCOMPARE(ServiceEnumerator::enumerate(), before);
}

void tst_ImportDialogInstall::progressFromTheFirstQueryCanCancel()
{
    QVERIFY(m_env->writeDatabase({simulatedService("Second", "Old", "C:\\second.exe")}));
    const QJsonArray before = m_env->databaseEntries();
    ImportDialog dialog({importedService("First"), importedService("Second", "New")});
    dialog.show();

    // The existence pass shows the progress, and its Cancel is heeded before anything changes.
    QStringList labels;
    QTimer watcher;
    watcher.setInterval(0);
    connect(&watcher, &QTimer::timeout, this, [&] {
        auto *progress = dialog.findChild<QProgressDialog *>("installProgress");
        if (!progress || !progress->isVisible() || progress->wasCanceled())
            return;
        if (labels.isEmpty() || labels.last() != progress->labelText())
            labels.append(progress->labelText());
        if (progress->labelText() == u"Checking Second...")
            progress->cancel();
    });
    watcher.start();
    install(dialog);
    watcher.stop();

    QCOMPARE(labels, QStringList({"Checking First...", "Checking Second..."}));
    QVERIFY(MessageBox::shown().isEmpty());
    QCOMPARE(m_env->databaseEntries(), before);
    QVERIFY(!QFileInfo::exists(ServiceInstaller::backupFolder()));
}

void tst_ImportDialogInstall::confirmationStaysReadableForManyNames()
{
    QStringList names;
    for (int i = 0; i < 400; ++i)
        names.append(QStringLiteral("Service%1").arg(i));
    ListMessageBox box(QMessageBox::Warning, "Services already exist", "The following:", names,
                       "Continue?", QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));

    auto *list = box.findChild<QListWidget *>("entryList");
    QVERIFY(list);
    QCOMPARE(list->count(), 400);
    QVERIFY(list->verticalScrollBar()->maximum() > 0); // the rest scrolls
    QVERIFY(box.height() < 500);
    QVERIFY(box.height() < box.screen()->availableGeometry().height());

    QTimer::singleShot(0, &box, [&box] {
        box.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Yes)->click();
    });
    QCOMPARE(box.ask(), QMessageBox::Yes);
    QTimer::singleShot(0, &box, &QDialog::reject);
    QCOMPARE(box.ask(), QMessageBox::No); // closed without an answer
}

void tst_ImportDialogInstall::serviceNamedInOtherCaseIsReplaced()
{
    QVERIFY(m_env->writeDatabase({simulatedService("Spooler", "Old Spooler", "C:\\old.exe")}));
    MessageBox::queueAnswer(QMessageBox::Yes);
    ImportDialog dialog({importedService("spooler", "New Spooler"), importedService("Other")});
    dialog.show();
    install(dialog);

    QCOMPARE(MessageBox::shown().size(), 2);
    QCOMPARE(MessageBox::shown().first().list, QStringList({"spooler"}));
    QVERIFY2(MessageBox::lastShown().text.startsWith("2 of 2 services installed successfully."),
             qPrintable(MessageBox::lastShown().text));
    const QList<ServiceInfo> now = ServiceEnumerator::enumerate();
    QCOMPARE(serviceNames(now), QStringList({"spooler", "Other"}));
    QCOMPARE(now.constFirst().displayName, QStringLiteral("New Spooler"));
}

void tst_ImportDialogInstall::unusableNamesAreMarkedAndRefused()
{
    ImportDialog dialog({importedService("Good"), importedService("", "Nameless"),
                         importedService(QString(300, u'x'), "Long One", "Manual", "LocalSystem",
                                         "C:\\svc.exe", "Its description.")});
    dialog.show();
    auto *table = dialog.findChild<QTableView *>("serviceTable");
    for (int row = 0; row < table->model()->rowCount(); ++row) {
        const QModelIndex name = cell(table, row, ImportTable::NameColumn);
        const bool unusable = name.data().toString() != u"Good";
        QCOMPARE(name.data(ImportDialog::UnusableNameRole).toBool(), unusable);
        QCOMPARE(!name.data(Qt::DecorationRole).value<QIcon>().isNull(), unusable);
    }
    const QModelIndex longName =
        cell(table, rowOf(table, QString(300, u'x')), ImportTable::NameColumn);
    QCOMPARE(longName.data(Qt::ToolTipRole).toString(),
             QStringLiteral("This record has a service name longer than 256 characters and "
                            "cannot be installed.\n\nIts description."));

    install(dialog);
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Information);
    QCOMPARE(MessageBox::lastShown().text,
             QStringLiteral("1 of 3 services installed successfully.\n\nErrors:\n"
                            "record 2 (\"Nameless\") has no service name; it was not installed\n"
                            "record 3 (\"Long One\") has a service name longer than 256 "
                            "characters; it was not installed"));
    QCOMPARE(serviceNames(ServiceEnumerator::enumerate()), QStringList({"Good"}));
}

QTEST_MAIN(tst_ImportDialogInstall)
#include "tst_importdialog_install.moc"
