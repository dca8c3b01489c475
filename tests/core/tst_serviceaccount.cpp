#include "ServiceAccount.h"

#include <QTest>

class tst_ServiceAccount final : public QObject
{
    Q_OBJECT

private slots:
    void needsPassword_data();
    void needsPassword();
};

void tst_ServiceAccount::needsPassword_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<bool>("needsPassword");

    QTest::newRow("empty") << "" << false;
    QTest::newRow("LocalSystem") << "LocalSystem" << false;
    QTest::newRow("local system, dotted") << ".\\LocalSystem" << false;
    QTest::newRow("system") << "NT AUTHORITY\\SYSTEM" << false;
    QTest::newRow("local service") << "NT AUTHORITY\\LocalService" << false;
    QTest::newRow("local service, display form") << "NT AUTHORITY\\LOCAL SERVICE" << false;
    QTest::newRow("network service, other case") << "nt authority\\networkservice" << false;
    QTest::newRow("network service, bare") << "NetworkService" << false;
    QTest::newRow("virtual account") << "NT SERVICE\\MSSQLSERVER" << false;
    QTest::newRow("managed service account") << "CORP\\sqlsvc$" << false;
    QTest::newRow("local user") << ".\\svcuser" << true;
    QTest::newRow("domain user") << "CORP\\backup" << true;
    QTest::newRow("user principal name") << "backup@corp.example" << true;
    QTest::newRow("a user named like a built-in") << "CORP\\LocalSystem" << true;
}

void tst_ServiceAccount::needsPassword()
{
    QFETCH(QString, account);
    QFETCH(bool, needsPassword);
    QCOMPARE(ServiceAccount::needsPassword(account), needsPassword);
}

QTEST_GUILESS_MAIN(tst_ServiceAccount)
#include "tst_serviceaccount.moc"
