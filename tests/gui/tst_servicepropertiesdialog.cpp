#include "ImportTestSupport.h"
#include "ServicePropertiesDialog.h"

#include "FileDialog.h"
#include "MessageBox.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>

#include <functional>

Q_DECLARE_METATYPE(ServiceInfo)

namespace {

ServiceInfo fullService()
{
    return serviceWithEveryField(QStringLiteral("AcmeAgent"));
}

template<typename T>
T *child(const QWidget &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

void pressOk(const QWidget &dialog)
{
    child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Ok)->click();
}

// The record after OK on an editor opened on service, with change applied to the editor first.
ServiceInfo afterOk(const ServiceInfo &service,
                    const std::function<void(ServicePropertiesDialog &)> &change = {})
{
    ServicePropertiesDialog dialog(service);
    if (change)
        change(dialog);
    pressOk(dialog);
    if (dialog.result() != QDialog::Accepted)
        qFatal("the editor did not accept");
    ServiceInfo result = service;
    dialog.writeTo(result);
    return result;
}

} // namespace

class tst_ServicePropertiesDialog final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void untouchedRecordComesBackUnchanged();
    void untouchedFieldsComeBackExactly_data();
    void untouchedFieldsComeBackExactly();
    void editedFieldTakesTheWidgetsValue();
    void layout();
    void wordListsStartAndStore_data();
    void wordListsStartAndStore();
    void localSystemSpellings_data();
    void localSystemSpellings();
    void accountFieldsFollowTheRadioButtons();
    void restartDelay_data();
    void restartDelay();
    void recoveryActionsMatchExactly();
    void resetDaysAreClamped();
    void privilegesText_data();
    void privilegesText();
    void okCheck_data();
    void okCheck();
    void browseReplacesThePath();
    void dependencies();

private:
    std::unique_ptr<ImportTestEnvironment> m_env;
};

void tst_ServicePropertiesDialog::init()
{
    m_env = std::make_unique<ImportTestEnvironment>();
}

void tst_ServicePropertiesDialog::cleanup()
{
    m_env.reset();
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty());
}

void tst_ServicePropertiesDialog::untouchedRecordComesBackUnchanged()
{
    ServiceInfo service = fullService();
    service.launchProtected = QStringLiteral("Antimalware");
    QVERIFY(afterOk(service) == service);
}

void tst_ServicePropertiesDialog::untouchedFieldsComeBackExactly_data()
{
    QTest::addColumn<ServiceInfo>("service");

    auto with = [](const std::function<void(ServiceInfo &)> &change) {
        ServiceInfo service = fullService();
        change(service);
        return service;
    };
    const QChar nbsp(0x00a0);
    QTest::newRow("no-break space") << with([&](ServiceInfo &s) {
        s.description = QStringLiteral("Keeps") + nbsp + "this" + nbsp + nbsp + "apart";
    });
    QTest::newRow("CR LF") << with([](ServiceInfo &s) { s.description = "One\r\nTwo\r\n"; });
    QTest::newRow("lone CR") << with([](ServiceInfo &s) { s.description = "One\rTwo"; });
    QTest::newRow("paragraph and line separators") << with([](ServiceInfo &s) {
        s.description = QStringLiteral("One") + QChar(0x2029) + "Two" + QChar(0x2028) + "Three";
    });
    QTest::newRow("blanks around the name")
        << with([](ServiceInfo &s) { s.serviceName = " AcmeAgent "; });
    QTest::newRow("very long path")
        << with([](ServiceInfo &s) { s.binaryPath = "C:\\" + QString(40000, u'p') + ".exe"; });
    QTest::newRow("words no list offers") << with([](ServiceInfo &s) {
        s.startType = "Boot";
        s.serviceType = "Unknown";
        s.errorControl = "";
        s.sidType = "";
        s.launchProtected = "";
    });
    QTest::newRow("local system spelled otherwise")
        << with([](ServiceInfo &s) { s.accountName = "nt authority\\system"; });
    QTest::newRow("empty account") << with([](ServiceInfo &s) { s.accountName = ""; });
    QTest::newRow("action words no list offers") << with([](ServiceInfo &s) {
        s.firstFailure.type = "Restart";
        s.secondFailure.type = "";
    });
    QTest::newRow("pre-shutdown out of range")
        << with([](ServiceInfo &s) { s.preShutdownTimeout = -5; });
    QTest::newRow("privileges with blanks and an empty entry") << with([](ServiceInfo &s) {
        s.requiredPrivileges = {" SeBackupPrivilege", "", "SeRestorePrivilege\t"};
    });
    QTest::newRow("line break in a line field") << with([](ServiceInfo &s) {
        s.displayName = "Two\nlines";
        s.failureRebootMessage = "Rebooting\r\nnow";
    });
}

void tst_ServicePropertiesDialog::untouchedFieldsComeBackExactly()
{
    QFETCH(ServiceInfo, service);
    const ServiceInfo result = afterOk(service);
    QVERIFY(result == service);
}

void tst_ServicePropertiesDialog::editedFieldTakesTheWidgetsValue()
{
    ServiceInfo service = fullService();
    service.description = "One\r\nTwo";
    service.startType = "Boot";
    service.accountName = "localsystem";
    const ServiceInfo result = afterOk(service, [](ServicePropertiesDialog &dialog) {
        child<QTextEdit>(dialog, "descriptionEdit")->setPlainText("Three\nFour");
        child<QComboBox>(dialog, "startTypeCombo")->setCurrentText("Disabled");
        child<QLineEdit>(dialog, "serviceNameEdit")->setText("  Renamed ");
    });
    QCOMPARE(result.description, QStringLiteral("Three\nFour"));
    QCOMPARE(result.startType, QStringLiteral("Disabled"));
    QCOMPARE(result.serviceName, QStringLiteral("Renamed"));
    QCOMPARE(result.accountName, QStringLiteral("localsystem")); // untouched
}

void tst_ServicePropertiesDialog::layout()
{
    ServiceInfo service = fullService();
    ServicePropertiesDialog dialog(service);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Properties of \"Full Service\""));
    auto *tabs = child<QTabWidget>(dialog, "propertyTabs");
    QCOMPARE(tabs->count(), 5);
    QCOMPARE(tabs->currentIndex(), 0);
    QStringList titles;
    for (int i = 0; i < tabs->count(); ++i)
        titles.append(tabs->tabText(i));
    QCOMPARE(titles, QStringList({"General", "Log On", "Recovery", "Dependencies", "Advanced"}));
    QCOMPARE(child<QTextEdit>(dialog, "descriptionEdit")->toPlainText(), service.description);
    QCOMPARE(child<QSpinBox>(dialog, "restartMinutesSpin")->value(), 1);
    QCOMPARE(child<QComboBox>(dialog, "secondFailureCombo")->currentText(),
             QStringLiteral("Run a Program"));
    QCOMPARE(child<QTextEdit>(dialog, "privilegesEdit")->toPlainText(),
             QStringLiteral("SeChangeNotifyPrivilege\nSeImpersonatePrivilege"));

    service.displayName.clear();
    ServicePropertiesDialog unnamed(service);
    QCOMPARE(unnamed.windowTitle(), QStringLiteral("Properties of \"AcmeAgent\""));
}

void tst_ServicePropertiesDialog::wordListsStartAndStore_data()
{
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");

    for (const char *start : {"Boot", "System", "Unknown", "", "auto"})
        QTest::addRow("start %s", start) << "startTypeCombo" << start << "Auto";
    QTest::newRow("start manual") << "startTypeCombo"
                                  << "Manual"
                                  << "Manual";
    QTest::newRow("type unknown") << "serviceTypeCombo"
                                  << "Unknown"
                                  << "Own";
    QTest::newRow("type kernel") << "serviceTypeCombo"
                                 << "Kernel"
                                 << "Kernel";
    QTest::newRow("error unknown") << "errorControlCombo"
                                   << "Unknown"
                                   << "Ignore";
    QTest::newRow("error critical") << "errorControlCombo"
                                    << "Critical"
                                    << "Critical";
    QTest::newRow("sid empty") << "sidTypeCombo"
                               << ""
                               << "None";
    QTest::newRow("sid unrestricted") << "sidTypeCombo"
                                      << "Unrestricted"
                                      << "Unrestricted";
    QTest::newRow("launch empty") << "launchProtectedCombo"
                                  << ""
                                  << "None";
    QTest::newRow("launch windows") << "launchProtectedCombo"
                                    << "Windows"
                                    << "Windows";
}

void tst_ServicePropertiesDialog::wordListsStartAndStore()
{
    QFETCH(QString, combo);
    QFETCH(QString, stored);
    QFETCH(QString, expected);

    ServiceInfo service = fullService();
    QString ServiceInfo::*field = combo == u"startTypeCombo"      ? &ServiceInfo::startType
                                  : combo == u"serviceTypeCombo"  ? &ServiceInfo::serviceType
                                  : combo == u"errorControlCombo" ? &ServiceInfo::errorControl
                                  : combo == u"sidTypeCombo"      ? &ServiceInfo::sidType
                                                                  : &ServiceInfo::launchProtected;
    service.*field = stored;
    {
        ServicePropertiesDialog dialog(service);
        QCOMPARE(child<QComboBox>(dialog, combo.toLatin1())->currentText(), expected);
    }
    // Left alone, the list gives back the stored word, also one it does not offer.
    QCOMPARE(afterOk(service).*field, stored);
}

void tst_ServicePropertiesDialog::localSystemSpellings_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<bool>("localSystem");

    QTest::newRow("empty") << "" << true;
    QTest::newRow("LocalSystem") << "LocalSystem" << true;
    QTest::newRow("lower") << "localsystem" << true;
    QTest::newRow("NT AUTHORITY") << "NT AUTHORITY\\SYSTEM" << true;
    QTest::newRow("mixed") << "Nt Authority\\System" << true;
    QTest::newRow("local service") << "NT AUTHORITY\\LocalService" << false;
    QTest::newRow("two backslashes") << "NT AUTHORITY\\\\SYSTEM" << false;
    QTest::newRow("user") << ".\\acme" << false;
}

void tst_ServicePropertiesDialog::localSystemSpellings()
{
    QFETCH(QString, account);
    QFETCH(bool, localSystem);

    ServiceInfo service = fullService();
    service.accountName = account;
    {
        ServicePropertiesDialog dialog(service);
        QCOMPARE(child<QRadioButton>(dialog, "localSystemRadio")->isChecked(), localSystem);
        QCOMPARE(child<QRadioButton>(dialog, "thisAccountRadio")->isChecked(), !localSystem);
        auto *edit = child<QLineEdit>(dialog, "accountEdit");
        QCOMPARE(edit->text(), localSystem ? QString() : account);
        QCOMPARE(edit->isEnabled(), !localSystem);
        QCOMPARE(child<QLineEdit>(dialog, "passwordEdit")->isEnabled(), !localSystem);
        QCOMPARE(child<QLineEdit>(dialog, "confirmPasswordEdit")->isEnabled(), !localSystem);
    }
    QCOMPARE(afterOk(service).accountName, account); // left alone, spelled as it was
}

void tst_ServicePropertiesDialog::accountFieldsFollowTheRadioButtons()
{
    ServiceInfo service = fullService();
    service.accountName = QStringLiteral("LocalSystem");
    const ServiceInfo result = afterOk(service, [](ServicePropertiesDialog &dialog) {
        child<QRadioButton>(dialog, "thisAccountRadio")->click();
        auto *account = child<QLineEdit>(dialog, "accountEdit");
        QVERIFY(account->isEnabled());
        QVERIFY(child<QLineEdit>(dialog, "passwordEdit")->isEnabled());
        QVERIFY(child<QLineEdit>(dialog, "confirmPasswordEdit")->isEnabled());
        account->setText("CORP\\svc-acme");
        child<QLineEdit>(dialog, "passwordEdit")->setText("secret");
        child<QLineEdit>(dialog, "confirmPasswordEdit")->setText("other");

        child<QRadioButton>(dialog, "localSystemRadio")->click();
        QVERIFY(!account->isEnabled());
        QCOMPARE(account->text(), QStringLiteral("CORP\\svc-acme"));
        child<QRadioButton>(dialog, "thisAccountRadio")->click();
    });
    QCOMPARE(result.accountName, QStringLiteral("CORP\\svc-acme"));
    // The record has no password: nothing typed there can end up anywhere in it.
    QCOMPARE(result, afterOk(service, [](ServicePropertiesDialog &dialog) {
                 child<QRadioButton>(dialog, "thisAccountRadio")->click();
                 child<QLineEdit>(dialog, "accountEdit")->setText("CORP\\svc-acme");
             }));
}

void tst_ServicePropertiesDialog::restartDelay_data()
{
    QTest::addColumn<int>("firstDelay");
    QTest::addColumn<int>("secondDelay");
    QTest::addColumn<int>("minutes"); // typed; -1 leaves the spin box alone
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("storedFirst");
    QTest::addColumn<int>("storedOthers");

    // Left alone, the delays stay as they were: OK by itself must not change them.
    QTest::newRow("remainder kept") << 90000 << 10000 << -1 << 1 << 90000 << 10000;
    QTest::newRow("negative delay") << -60000 << 0 << -1 << 0 << 0 << 0;
    QTest::newRow("set to what it showed") << 90000 << 10000 << 1 << 1 << 90000 << 10000;
    // Changed, the one delay of the sheet goes to all three actions.
    QTest::newRow("changed") << 90000 << 300000 << 2 << 1 << 120000 << 120000;
    QTest::newRow("largest that fits") << 0 << 0 << 35791 << 0 << 35791 * 60000 << 35791 * 60000;
    QTest::newRow("one more does not overflow")
        << 0 << 0 << 35792 << 0 << 35791 * 60000 << 35791 * 60000;
    QTest::newRow("spin box maximum") << 0 << 0 << 99999 << 0 << 35791 * 60000 << 35791 * 60000;
}

void tst_ServicePropertiesDialog::restartDelay()
{
    QFETCH(int, firstDelay);
    QFETCH(int, secondDelay);
    QFETCH(int, minutes);
    QFETCH(int, shown);
    QFETCH(int, storedFirst);
    QFETCH(int, storedOthers);

    ServiceInfo service = fullService();
    service.firstFailure = {QStringLiteral("restart"), firstDelay};
    service.secondFailure = {QStringLiteral("none"), secondDelay};
    service.subsequentFailure = {QString(), secondDelay};
    const ServiceInfo result = afterOk(service, [&](ServicePropertiesDialog &dialog) {
        auto *spin = child<QSpinBox>(dialog, "restartMinutesSpin");
        QCOMPARE(spin->maximum(), 99999);
        QCOMPARE(spin->value(), shown);
        if (minutes >= 0)
            spin->setValue(minutes);
    });
    QCOMPARE(result.firstFailure, FailureAction({QStringLiteral("restart"), storedFirst}));
    QCOMPARE(result.secondFailure, FailureAction({QStringLiteral("none"), storedOthers}));
    // Its empty type is left alone: the list shows it as "none" but gives back what it held.
    QCOMPARE(result.subsequentFailure, FailureAction({QString(), storedOthers}));
}

void tst_ServicePropertiesDialog::recoveryActionsMatchExactly()
{
    ServiceInfo service = fullService();
    service.firstFailure.type = QStringLiteral("Restart");
    service.secondFailure.type = QStringLiteral("reboot");
    service.subsequentFailure.type = QStringLiteral("run");
    const ServiceInfo result = afterOk(service, [](ServicePropertiesDialog &dialog) {
        auto *first = child<QComboBox>(dialog, "firstFailureCombo");
        QCOMPARE(first->currentText(), QStringLiteral("Take No Action"));
        QCOMPARE(first->count(), 4);
        QCOMPARE(child<QComboBox>(dialog, "secondFailureCombo")->currentText(),
                 QStringLiteral("Restart the Computer"));
        child<QComboBox>(dialog, "subsequentFailureCombo")->setCurrentIndex(2);
    });
    QCOMPARE(result.firstFailure.type, QStringLiteral("Restart")); // left alone
    QCOMPARE(result.secondFailure.type, QStringLiteral("reboot"));
    QCOMPARE(result.subsequentFailure.type, QStringLiteral("run_command"));
}

void tst_ServicePropertiesDialog::resetDaysAreClamped()
{
    ServiceInfo service = fullService();
    service.failureResetDays = 20000;
    const ServiceInfo untouched = afterOk(service, [](ServicePropertiesDialog &dialog) {
        QCOMPARE(child<QSpinBox>(dialog, "resetDaysSpin")->value(), 9999);
    });
    QCOMPARE(untouched.failureResetDays, 20000);

    const ServiceInfo changed = afterOk(service, [](ServicePropertiesDialog &dialog) {
        child<QSpinBox>(dialog, "resetDaysSpin")->setValue(30);
    });
    QCOMPARE(changed.failureResetDays, 30);
}

void tst_ServicePropertiesDialog::privilegesText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("privileges");

    QTest::newRow("empty middle line") << "SeA\n\nSeB" << QStringList{"SeA", "SeB"};
    QTest::newRow("blanks around") << "  SeA \n\tSeB" << QStringList{"SeA", "SeB"};
    QTest::newRow("line of blanks") << "SeA\n   \nSeB\n" << QStringList{"SeA", "SeB"};
    QTest::newRow("empty") << "" << QStringList();
}

void tst_ServicePropertiesDialog::privilegesText()
{
    QFETCH(QString, text);
    QFETCH(QStringList, privileges);
    const ServiceInfo result = afterOk(fullService(), [&](ServicePropertiesDialog &dialog) {
        child<QTextEdit>(dialog, "privilegesEdit")->setPlainText(text);
    });
    QCOMPARE(result.requiredPrivileges, privileges);
}

void tst_ServicePropertiesDialog::okCheck_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("warning");

    QTest::newRow("empty name") << ""
                                << "C:\\a.exe"
                                << "Service name must not be empty.";
    QTest::newRow("blank name") << "   "
                                << "C:\\a.exe"
                                << "Service name must not be empty.";
    QTest::newRow("both blank") << " "
                                << " "
                                << "Service name must not be empty.";
    QTest::newRow("blank path") << "Acme"
                                << " \t"
                                << "Path to executable must not be empty.";
    QTest::newRow("accepted") << "  Acme  "
                              << " C:\\a.exe "
                              << "";
}

void tst_ServicePropertiesDialog::okCheck()
{
    QFETCH(QString, name);
    QFETCH(QString, path);
    QFETCH(QString, warning);

    ServicePropertiesDialog dialog(fullService());
    dialog.show();
    child<QLineEdit>(dialog, "serviceNameEdit")->setText(name);
    child<QLineEdit>(dialog, "binaryPathEdit")->setText(path);
    pressOk(dialog);

    if (warning.isEmpty()) {
        QVERIFY(MessageBox::shown().isEmpty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        ServiceInfo result;
        dialog.writeTo(result);
        QCOMPARE(result.serviceName, QStringLiteral("Acme"));
        QCOMPARE(result.binaryPath, path); // as typed
        return;
    }
    QCOMPARE(MessageBox::shown().size(), 1);
    QCOMPARE(MessageBox::lastShown().icon, QMessageBox::Warning);
    QCOMPARE(MessageBox::lastShown().title, QStringLiteral("Validation"));
    QCOMPARE(MessageBox::lastShown().text, warning);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), 0);
}

void tst_ServicePropertiesDialog::browseReplacesThePath()
{
    const ServiceInfo result = afterOk(fullService(), [](ServicePropertiesDialog &dialog) {
        child<QPushButton>(dialog, "browseBinaryButton")->click(); // cancelled
        QCOMPARE(child<QLineEdit>(dialog, "binaryPathEdit")->text(), fullService().binaryPath);
        FileDialog::queueFileName("C:/Program Files/New/new.exe");
        child<QPushButton>(dialog, "browseBinaryButton")->click();
        FileDialog::queueFileName("C:/Tools/fix.exe");
        child<QPushButton>(dialog, "browseProgramButton")->click();
    });
    QCOMPARE(result.binaryPath, QStringLiteral("C:/Program Files/New/new.exe"));
    QCOMPARE(result.failureCommand, QStringLiteral("C:/Tools/fix.exe"));
    const QList<FileDialog::Request> requests = FileDialog::requests();
    QCOMPARE(requests.size(), 3);
    QCOMPARE(requests.at(0).caption, QStringLiteral("Select Executable"));
    QCOMPARE(requests.at(0).filter, QStringLiteral("Executables (*.exe);;All Files (*)"));
    QCOMPARE(requests.at(2).caption, QStringLiteral("Select Program"));
}

void tst_ServicePropertiesDialog::dependencies()
{
    auto addDependency = [](ServicePropertiesDialog &dialog, const QString &name, bool accept) {
        return withNextModal([&] { child<QPushButton>(dialog, "addDependencyButton")->click(); },
                             [&](QWidget *add) {
                                 QCOMPARE(add->windowTitle(), QStringLiteral("Add Dependency"));
                                 child<QLineEdit>(*add, "dependencyNameEdit")->setText(name);
                                 child<QDialogButtonBox>(*add, "")
                                     ->button(accept ? QDialogButtonBox::Ok
                                                     : QDialogButtonBox::Cancel)
                                     ->click();
                             });
    };

    ServiceInfo service = fullService();
    const ServiceInfo result = afterOk(service, [&](ServicePropertiesDialog &dialog) {
        QVERIFY(addDependency(dialog, " Dnscache ", true));
        QVERIFY(addDependency(dialog, "Dnscache", true));
        QVERIFY(addDependency(dialog, "   ", true));
        QVERIFY(addDependency(dialog, "Cancelled", false));
        auto *list = child<QListWidget>(dialog, "dependencyList");
        list->setCurrentRow(-1);
        child<QPushButton>(dialog, "removeDependencyButton")->click();
        QCOMPARE(list->count(), 4);
        list->setCurrentRow(0);
        child<QPushButton>(dialog, "removeDependencyButton")->click();
    });
    QCOMPARE(result.dependencies, QStringList({"+TDI", "Dnscache", "Dnscache"}));

    // Cancel leaves the record as it was, whatever the list went through.
    ServicePropertiesDialog dialog(service);
    QVERIFY(addDependency(dialog, "Extra", true));
    child<QDialogButtonBox>(dialog, "buttonBox")->button(QDialogButtonBox::Cancel)->click();
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
}

QTEST_MAIN(tst_ServicePropertiesDialog)
#include "tst_servicepropertiesdialog.moc"
