#include "platform/SimulatedServiceDatabase.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using platform::SimulatedService;
using platform::SimulatedServiceDatabase;

class tst_SimulatedServiceDatabase final : public QObject
{
    Q_OBJECT

private slots:
    void settle_data();
    void settle();
    void updateKeepsUnknownKeys();
    void declinedUpdateWritesNothing();
    void damagedFileIsNeverReplaced();
    void missingFileIsCreatedByUpdate();
    void lookupIgnoresCase();
};

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &contents)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

} // namespace

void tst_SimulatedServiceDatabase::settle_data()
{
    QTest::addColumn<SimulatedService::State>("state");
    QTest::addColumn<qint64>("requestedAt");
    QTest::addColumn<bool>("marked");
    QTest::addColumn<qint64>("now");
    QTest::addColumn<bool>("present");
    QTest::addColumn<SimulatedService::State>("stateAfter");

    using State = SimulatedService::State;
    // The stop time is 1000 ms throughout.
    QTest::newRow("pending, time not up") << State::StopPending << qint64(5000) << false
                                          << qint64(5999) << true << State::StopPending;
    QTest::newRow("pending, time up")
        << State::StopPending << qint64(5000) << false << qint64(6000) << true << State::Stopped;
    QTest::newRow("pending without request time hangs")
        << State::StopPending << qint64(-1) << false << qint64(99999) << true << State::StopPending;
    QTest::newRow("marked, still pending")
        << State::StopPending << qint64(5000) << true << qint64(5500) << true << State::StopPending;
    QTest::newRow("marked, stopped in the meantime")
        << State::StopPending << qint64(5000) << true << qint64(6000) << false << State::Stopped;
    QTest::newRow("marked and running")
        << State::Running << qint64(-1) << true << qint64(99999) << true << State::Running;
    QTest::newRow("marked and stopped")
        << State::Stopped << qint64(-1) << true << qint64(0) << false << State::Stopped;
}

void tst_SimulatedServiceDatabase::settle()
{
    QFETCH(SimulatedService::State, state);
    QFETCH(qint64, requestedAt);
    QFETCH(bool, marked);
    QFETCH(qint64, now);

    SimulatedService other;
    other.name = "Other";
    SimulatedService service;
    service.name = "S";
    service.state = state;
    service.stopTimeMs = 1000;
    service.stopRequestedAtMs = requestedAt;
    service.markedForDeletion = marked;
    QList<SimulatedService> services{other, service};

    SimulatedServiceDatabase::settle(services, now);
    QFETCH(bool, present);
    QCOMPARE(services.size(), present ? 2 : 1);
    QCOMPARE(services.first().name, QStringLiteral("Other"));
    if (present)
        QTEST(services.last().state, "stateAfter");
}

void tst_SimulatedServiceDatabase::updateKeepsUnknownKeys()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("scm.json");
    const QJsonObject original{
        {"comment", "hand-written"},
        {"services", QJsonArray{QJsonObject{{"name", "A"}, {"note", "keep me"}},
                                QJsonObject{{"name", "B"}, {"serviceType", 32}}}}};
    QVERIFY(writeAll(path, QJsonDocument(original).toJson()));

    SimulatedServiceDatabase database(path);
    QString error;
    QVERIFY2(database.update(
                 [](QList<SimulatedService> &services) {
                     services[0].displayName = "Changed";
                     return true;
                 },
                 &error),
             qPrintable(error));

    const QJsonObject written = QJsonDocument::fromJson(readAll(path)).object();
    QCOMPARE(written.value("comment").toString(), QStringLiteral("hand-written"));
    const QJsonArray services = written.value("services").toArray();
    QCOMPARE(services.size(), 2);
    QCOMPARE(services.at(0)["note"].toString(), QStringLiteral("keep me"));
    QCOMPARE(services.at(0)["displayName"].toString(), QStringLiteral("Changed"));
    QCOMPARE(services.at(1)["serviceType"].toInt(), 32);

    QList<SimulatedService> reread;
    QVERIFY(database.read(reread));
    QCOMPARE(reread.size(), 2);
    QCOMPARE(reread.at(0).displayName, QStringLiteral("Changed"));
}

void tst_SimulatedServiceDatabase::declinedUpdateWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("scm.json");
    const QByteArray contents = R"({"services": [{"name": "A"}]})";
    QVERIFY(writeAll(path, contents));

    SimulatedServiceDatabase database(path);
    QVERIFY(database.update([](QList<SimulatedService> &services) {
        services.clear();
        return false;
    }));
    QCOMPARE(readAll(path), contents);
}

void tst_SimulatedServiceDatabase::damagedFileIsNeverReplaced()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("scm.json");
    const QByteArray contents = R"({"services": [{"name": "A", "startType": "auto"}]})";
    QVERIFY(writeAll(path, contents));

    SimulatedServiceDatabase database(path);
    bool changed = false;
    QString error;
    QVERIFY(!database.update(
        [&changed](QList<SimulatedService> &) {
            changed = true;
            return true;
        },
        &error));
    QVERIFY(!changed);
    QVERIFY2(error.contains("damaged") && error.contains("startType"), qPrintable(error));
    QCOMPARE(readAll(path), contents);

    QList<SimulatedService> services;
    QVERIFY(!database.read(services));
    QVERIFY(services.isEmpty());
}

void tst_SimulatedServiceDatabase::missingFileIsCreatedByUpdate()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("new/folder/scm.json");
    SimulatedServiceDatabase database(path);

    QList<SimulatedService> services{SimulatedService()};
    QVERIFY(database.read(services));
    QVERIFY(services.isEmpty());

    QVERIFY(database.update([](QList<SimulatedService> &list) {
        SimulatedService added;
        added.name = "Added";
        list.append(added);
        return true;
    }));
    QVERIFY(database.read(services));
    QCOMPARE(services.size(), 1);
    QCOMPARE(services.first().name, QStringLiteral("Added"));
}

void tst_SimulatedServiceDatabase::lookupIgnoresCase()
{
    SimulatedService a;
    a.name = "Spooler";
    SimulatedService b;
    b.name = "W32Time";
    const QList<SimulatedService> services{a, b};
    QCOMPARE(SimulatedServiceDatabase::indexOf(services, "w32time"), 1);
    QCOMPARE(SimulatedServiceDatabase::indexOf(services, "SPOOLER"), 0);
    QCOMPARE(SimulatedServiceDatabase::indexOf(services, "Spool"), -1);
}

QTEST_GUILESS_MAIN(tst_SimulatedServiceDatabase)
#include "tst_simulatedservicedatabase.moc"
