#include "ServiceFilter.h"
#include "ServiceInfo.h"

#include <QTest>

class tst_ServiceFilter final : public QObject
{
    Q_OBJECT

private slots:
    void matches_data();
    void matches();
    void lettersBeyondAscii_data();
    void lettersBeyondAscii();
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

void tst_ServiceFilter::lettersBeyondAscii_data()
{
    QTest::addColumn<QString>("displayName");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("matches");

    QTest::newRow("Kelvin sign folds to k") << u"\u212A-Server"_qs << "k-SER" << true;
    QTest::newRow("umlaut in both") << "Dienst f\u00fcr Drucker"
                                    << "F\u00dcR" << true;
    QTest::newRow("ASCII text beside an umlaut") << "Gr\u00fc\u00dfe GmbH"
                                                 << "gmbh" << true;
    QTest::newRow("umlaut is no ASCII letter") << "Gr\u00fc\u00dfe"
                                               << "grue" << false;
    QTest::newRow("longer than the field") << "abc"
                                           << "ABCD" << false;
    QTest::newRow("at the very end") << "svchost.exe"
                                     << "EXE" << true;
    QTest::newRow("after a false start") << "aab"
                                         << "AB" << true;
}

void tst_ServiceFilter::lettersBeyondAscii()
{
    QFETCH(QString, displayName);
    QFETCH(QString, text);
    QFETCH(bool, matches);

    ServiceInfo service;
    service.displayName = displayName;
    QCOMPARE(ServiceFilter::matches(service, text), matches);
    QCOMPARE(ServiceFilter::Matcher(text).matches(service), matches);
}

QTEST_GUILESS_MAIN(tst_ServiceFilter)
#include "tst_servicefilter.moc"
