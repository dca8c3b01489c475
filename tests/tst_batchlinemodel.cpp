// The Wine check's hostile records against the model of cmd.exe and the C runtime, so that a
// machine without Wine still catches a line that would not reach the tool as it stands.

#include "BatchScript.h"
#include "CommandLineModel.h"
#include "ServiceCommands.h"
#include "windows/HostileServices.h"

#include <QTest>

class tst_BatchLineModel final : public QObject
{
    Q_OBJECT

private slots:
    void argumentsArriveExactly_data();
    void argumentsArriveExactly();
};

void tst_BatchLineModel::argumentsArriveExactly_data()
{
    QTest::addColumn<ServiceInfo>("service");
    for (const ServiceInfo &service : HostileServices::records())
        QTest::newRow(qPrintable(service.serviceName)) << service;
}

void tst_BatchLineModel::argumentsArriveExactly()
{
    QFETCH(ServiceInfo, service);
    const QStringList script = BatchScript::lines({service});
    for (const ServiceCommand &command : ServiceCommands::install(service)) {
        const QString line = BatchScript::commandLine(command);
        QVERIFY2(script.contains(line), qPrintable(line));
        const auto arguments = CommandLineModel::argumentsOf(line);
        QVERIFY2(arguments, qPrintable(QStringLiteral("cmd.exe would not run exactly this one "
                                                      "command: ")
                                       + line));
        QCOMPARE(*arguments, HostileServices::expectedCall(command));
    }
}

QTEST_GUILESS_MAIN(tst_BatchLineModel)
#include "tst_batchlinemodel.moc"
