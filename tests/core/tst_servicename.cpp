#include "ServiceInfo.h"
#include "ServiceName.h"

#include <QTest>

Q_DECLARE_METATYPE(ServiceName::Problem)

class tst_ServiceName final : public QObject
{
    Q_OBJECT

private slots:
    void sameIgnoresCase_data();
    void sameIgnoresCase();
    void problem_data();
    void problem();
    void recordLabel();
};

void tst_ServiceName::sameIgnoresCase_data()
{
    QTest::addColumn<QString>("a");
    QTest::addColumn<QString>("b");
    QTest::addColumn<bool>("same");

    QTest::newRow("exact") << "Spooler"
                           << "Spooler" << true;
    QTest::newRow("other case") << "spooler"
                                << "SPOOLER" << true;
    QTest::newRow("beyond ASCII") << "Größe"
                                  << "GRÖSSE" << false;
    QTest::newRow("umlaut in other case") << "Dienstä"
                                          << "DIENSTÄ" << true;
    QTest::newRow("prefix") << "Spool"
                            << "Spooler" << false;
    QTest::newRow("blank at the end") << "Spooler "
                                      << "Spooler" << false;
}

void tst_ServiceName::sameIgnoresCase()
{
    QFETCH(QString, a);
    QFETCH(QString, b);
    QFETCH(bool, same);
    QCOMPARE(ServiceName::same(a, b), same);
    QCOMPARE(ServiceName::key(a) == ServiceName::key(b), same);
}

void tst_ServiceName::problem_data()
{
    using ServiceName::Problem;
    QTest::addColumn<QString>("name");
    QTest::addColumn<Problem>("problem");

    QTest::newRow("plain") << "Spooler" << Problem::None;
    QTest::newRow("blanks and dots") << "Acme Agent 2.0" << Problem::None;
    QTest::newRow("empty") << "" << Problem::Empty;
    QTest::newRow("NUL") << QString::fromUtf16(u"Ac\0me", 5) << Problem::ContainsNul;
    QTest::newRow("slash") << "Acme/Agent" << Problem::ContainsSlash;
    QTest::newRow("backslash") << "Acme\\Agent" << Problem::ContainsSlash;
    QTest::newRow("256 characters") << QString(256, u'a') << Problem::None;
    QTest::newRow("257 characters") << QString(257, u'a') << Problem::TooLong;
}

void tst_ServiceName::problem()
{
    QFETCH(QString, name);
    QFETCH(ServiceName::Problem, problem);
    QCOMPARE(ServiceName::problem(name), problem);
    QCOMPARE(ServiceName::describe(problem).isEmpty(), problem == ServiceName::Problem::None);
}

void tst_ServiceName::recordLabel()
{
    ServiceInfo service;
    QCOMPARE(ServiceName::recordLabel(3, service), QStringLiteral("record 3 (no display name)"));
    service.displayName = QStringLiteral("Acme %1 Agent");
    QCOMPARE(ServiceName::recordLabel(12, service),
             QStringLiteral("record 12 (\"Acme %1 Agent\")"));
}

QTEST_GUILESS_MAIN(tst_ServiceName)
#include "tst_servicename.moc"
