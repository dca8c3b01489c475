#include "ServiceCommands.h"
#include "ServiceInfo.h"
#include "ValueWords.h"

#include <QTest>

class tst_ValueWords final : public QObject
{
    Q_OBJECT

private slots:
    void defaultRecord();
    void startType_data();
    void startType();
    void serviceType_data();
    void serviceType();
    void smallVocabularies();
    void failureResetDays_data();
    void failureResetDays();
    void scKeywords_data();
    void scKeywords();
};

void tst_ValueWords::defaultRecord()
{
    const ServiceInfo info;
    QVERIFY(info.serviceName.isEmpty() && info.displayName.isEmpty() && info.description.isEmpty()
            && info.binaryPath.isEmpty() && info.startType.isEmpty() && info.serviceType.isEmpty()
            && info.errorControl.isEmpty() && info.accountName.isEmpty()
            && info.failureCommand.isEmpty() && info.failureCommandParams.isEmpty()
            && info.failureRebootMessage.isEmpty() && info.loadOrderGroup.isEmpty()
            && info.sidType.isEmpty() && info.launchProtected.isEmpty());
    QCOMPARE(info.failureResetDays, 0);
    QCOMPARE(info.preShutdownTimeout, 0);
    QVERIFY(info.dependencies.isEmpty() && info.requiredPrivileges.isEmpty());
    for (const FailureAction &action :
         {info.firstFailure, info.secondFailure, info.subsequentFailure}) {
        QVERIFY(action.type.isEmpty());
        QCOMPARE(action.delayMs, 0);
    }
}

void tst_ValueWords::startType_data()
{
    QTest::addColumn<uint>("startType");
    QTest::addColumn<bool>("delayed");
    QTest::addColumn<QString>("word");
    QTest::newRow("auto delayed") << 2u << true << "DelayedAuto";
    QTest::newRow("auto") << 2u << false << "Auto";
    QTest::newRow("demand") << 3u << false << "Manual";
    QTest::newRow("demand with delayed flag") << 3u << true << "Manual";
    QTest::newRow("disabled with delayed flag") << 4u << true << "Disabled";
    QTest::newRow("boot") << 0u << false << "Boot";
    QTest::newRow("system") << 1u << false << "System";
    QTest::newRow("other") << 5u << false << "Unknown";
    QTest::newRow("other delayed") << 0xffffffffu << true << "Unknown";
}

void tst_ValueWords::startType()
{
    QFETCH(uint, startType);
    QFETCH(bool, delayed);
    QFETCH(QString, word);
    QCOMPARE(ValueWords::startType(startType, delayed), word);
}

void tst_ValueWords::serviceType_data()
{
    QTest::addColumn<uint>("mask");
    QTest::addColumn<QString>("word");
    QTest::newRow("own") << 0x10u << "Own";
    QTest::newRow("own interactive") << 0x110u << "Own";
    QTest::newRow("both process bits") << 0x30u << "Own";
    QTest::newRow("share") << 0x20u << "Share";
    QTest::newRow("share per-user") << 0x60u << "Share";
    QTest::newRow("kernel") << 0x01u << "Kernel";
    QTest::newRow("file system") << 0x02u << "FileSystem";
    QTest::newRow("kernel before file system") << 0x03u << "Kernel";
    QTest::newRow("recognizer driver") << 0x08u << "Unknown";
    QTest::newRow("nothing") << 0u << "Unknown";
}

void tst_ValueWords::serviceType()
{
    QFETCH(uint, mask);
    QFETCH(QString, word);
    QCOMPARE(ValueWords::serviceType(mask), word);
}

void tst_ValueWords::smallVocabularies()
{
    const QStringList errors = {"Ignore", "Normal", "Severe", "Critical", "Unknown"};
    for (uint value = 0; value < 5; ++value)
        QCOMPARE(ValueWords::errorControl(value), errors.at(value));
    QCOMPARE(ValueWords::errorControl(0xffffffffu), QString("Unknown"));

    const QStringList sids = {"None", "Unrestricted", "None", "Restricted", "None"};
    for (uint value = 0; value < 5; ++value)
        QCOMPARE(ValueWords::sidType(value), sids.at(value));

    const QStringList protections = {"None", "Windows", "Antimalware", "None", "None"};
    for (uint value = 0; value < 5; ++value)
        QCOMPARE(ValueWords::launchProtected(value), protections.at(value));

    const QStringList actions = {"none", "restart", "reboot", "run_command", "none"};
    for (uint value = 0; value < 5; ++value)
        QCOMPARE(ValueWords::failureAction(value), actions.at(value));
}

void tst_ValueWords::failureResetDays_data()
{
    QTest::addColumn<uint>("seconds");
    QTest::addColumn<int>("days");
    QTest::newRow("one hour") << 3600u << 0;
    QTest::newRow("just under a day") << 86399u << 0;
    QTest::newRow("one day") << 86400u << 1;
    QTest::newRow("just under two days") << 172799u << 1;
    QTest::newRow("three days") << 259200u << 3;
    QTest::newRow("INFINITE") << 0xffffffffu << 0;
    QTest::newRow("negative as signed") << 0x80000000u << 0;
}

void tst_ValueWords::failureResetDays()
{
    QFETCH(uint, seconds);
    QFETCH(int, days);
    QCOMPARE(ValueWords::failureResetDays(seconds), days);
}

void tst_ValueWords::scKeywords_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("keyword");
    const char *start[][2] = {
        {"Auto", "auto"},         {"DelayedAuto", "auto"}, {"Manual", "demand"},
        {"Disabled", "disabled"}, {"Boot", "boot"},        {"System", "system"},
        {"Unknown", "demand"},    {"", "demand"},          {"auto", "demand"}};
    for (const auto &row : start)
        QTest::addRow("start %s", row[0]) << "start" << row[0] << row[1];
    const char *type[][2] = {{"Own", "own"},       {"Share", "share"},
                             {"Kernel", "kernel"}, {"FileSystem", "filesys"},
                             {"Unknown", "own"},   {"", "own"}};
    for (const auto &row : type)
        QTest::addRow("type %s", row[0]) << "type" << row[0] << row[1];
    const char *error[][2] = {{"Ignore", "ignore"},  {"Normal", "normal"},
                              {"Severe", "severe"},  {"Critical", "critical"},
                              {"Unknown", "normal"}, {"severe", "normal"}};
    for (const auto &row : error)
        QTest::addRow("error %s", row[0]) << "error" << row[0] << row[1];
    const char *action[][2] = {{"run_command", "run"},
                               {"restart", "restart"},
                               {"reboot", "reboot"},
                               {"none", "none"},
                               {"", ""}};
    for (const auto &row : action)
        QTest::addRow("action %s", row[0]) << "action" << row[0] << row[1];
}

void tst_ValueWords::scKeywords()
{
    QFETCH(QString, kind);
    QFETCH(QString, word);
    QFETCH(QString, keyword);
    if (kind == "start")
        QCOMPARE(ServiceCommands::startKeyword(word), keyword);
    else if (kind == "type")
        QCOMPARE(ServiceCommands::typeKeyword(word), keyword);
    else if (kind == "error")
        QCOMPARE(ServiceCommands::errorKeyword(word), keyword);
    else
        QCOMPARE(ServiceCommands::failureActionKeyword(word), keyword);
}

QTEST_GUILESS_MAIN(tst_ValueWords)
#include "tst_valuewords.moc"
