#include "ServiceFilter.h"
#include "ServiceInfo.h"

#include <QTest>

class tst_ServiceFilter final : public QObject
{
    Q_OBJECT

private slots:
    void matches_data();
    void matches();
};

void tst_ServiceFilter::matches_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    QTest::newRow("empty") << "" << true;
    QTest::newRow("name, other case") << "SPOOL" << true;
    QTest::newRow("display name") << "print" << true;
    QTest::newRow("start type") << "delayedauto" << true;
    QTest::newRow("account") << "localsys" << true;
    QTest::newRow("binary path") << "spoolsv.exe" << true;
    QTest::newRow("description is not searched") << "jobs" << false;
    QTest::newRow("blank is taken as it stands") << "spooler " << false;
    QTest::newRow("no wildcards") << "spo*" << false;
}

void tst_ServiceFilter::matches()
{
    QFETCH(QString, text);
    QFETCH(bool, matches);

    ServiceInfo service;
    service.serviceName = QStringLiteral("Spooler");
    service.displayName = QStringLiteral("Print Spooler");
    service.description = QStringLiteral("Spools print jobs.");
    service.startType = QStringLiteral("DelayedAuto");
    service.accountName = QStringLiteral("LocalSystem");
    service.binaryPath = QStringLiteral("C:\\Windows\\System32\\spoolsv.exe");
    QCOMPARE(ServiceFilter::matches(service, text), matches);
}

QTEST_GUILESS_MAIN(tst_ServiceFilter)
#include "tst_servicefilter.moc"
