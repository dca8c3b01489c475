#include "ServiceListDiff.h"

#include "ServiceRecords.h"

#include <QTest>

using ServiceListDiff::Entry;

namespace {

ServiceInfo named(const QString &name, const QString &displayName = QStringLiteral("Shown"))
{
    return importedService(name, displayName);
}

// "name:status" per entry, with the differing field keys after a slash.
QStringList summary(const QList<Entry> &entries)
{
    QStringList lines;
    for (const Entry &entry : entries) {
        QString line = entry.serviceName + u':';
        switch (entry.status) {
        case Entry::Status::OnlyInFirst:
            line += QStringLiteral("first");
            break;
        case Entry::Status::OnlyInSecond:
            line += QStringLiteral("second");
            break;
        case Entry::Status::Same:
            line += QStringLiteral("same");
            break;
        case Entry::Status::Different:
            line += QStringLiteral("different");
            break;
        }
        QStringList keys;
        for (const ServiceDiff::Field &field : entry.differences)
            keys.append(field.key);
        if (!keys.isEmpty())
            line += u'/' + keys.join(u',');
        lines.append(line);
    }
    return lines;
}

} // namespace

class tst_ServiceListDiff final : public QObject
{
    Q_OBJECT

private slots:
    void compare_data();
    void compare();
    void differencesCarryBothValues();
    void meansWhatThePreviewShows();
};

void tst_ServiceListDiff::compare_data()
{
    QTest::addColumn<QList<ServiceInfo>>("first");
    QTest::addColumn<QList<ServiceInfo>>("second");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<bool>("identical");

    using List = QList<ServiceInfo>;
    QTest::newRow("both empty") << List() << List() << QStringList() << true;
    QTest::newRow("same records, other order")
        << List{named("A"), named("B")} << List{named("B"), named("A")}
        << QStringList{"A:same", "B:same"} << true;
    QTest::newRow("only in one list each, in each list's order")
        << List{named("New2"), named("Both"), named("New1")}
        << List{named("Old2"), named("Both"), named("Old1")}
        << QStringList{"New2:first", "Both:same", "New1:first", "Old2:second", "Old1:second"}
        << false;
    QTest::newRow("different fields") << List{named("A", "Mine")} << List{named("A")}
                                      << QStringList{"A:different/displayName"} << false;

    // Windows takes names in other case for the same service; the spelling is a difference.
    QTest::newRow("name in other case") << List{named("spooler")} << List{named("Spooler")}
                                        << QStringList{"spooler:different/serviceName"} << false;

    // Both records of one name are compared with the first of that name; a second one in the
    // other list is matched by none.
    QTest::newRow("one name twice in the first list")
        << List{named("A"), named("a", "Other")} << List{named("A")}
        << QStringList{"A:same", "a:different/serviceName,displayName"} << false;
    QTest::newRow("one name twice in the second list")
        << List{named("A")} << List{named("A"), named("A", "Other")}
        << QStringList{"A:same", "A:second"} << false;
    // A file with a name twice, compared with itself, pairs the records in order.
    QTest::newRow("one name twice in both lists")
        << List{named("A"), named("a", "Other"), named("B")}
        << List{named("A"), named("a", "Other"), named("B")}
        << QStringList{"A:same", "a:same", "B:same"} << true;
    QTest::newRow("one name twice in both lists, second copy changed")
        << List{named("A"), named("A", "Mine")} << List{named("A"), named("A", "Other")}
        << QStringList{"A:same", "A:different/displayName"} << false;
    QTest::newRow("empty names match each other")
        << List{named(QString())} << List{named(QString(), "Other")}
        << QStringList{":different/displayName"} << false;
}

void tst_ServiceListDiff::compare()
{
    QFETCH(QList<ServiceInfo>, first);
    QFETCH(QList<ServiceInfo>, second);
    QFETCH(QStringList, expected);
    QFETCH(bool, identical);

    const QList<Entry> entries = ServiceListDiff::compare(first, second);
    QCOMPARE(summary(entries), expected);
    QCOMPARE(ServiceListDiff::identical(entries), identical);

    // Entry i is about first[i]; the rest point into the second list.
    for (int i = 0; i < entries.size(); ++i) {
        const Entry &entry = entries.at(i);
        if (i < first.size()) {
            QCOMPARE(entry.firstIndex, i);
            QCOMPARE(entry.secondIndex >= 0, entry.status != Entry::Status::OnlyInFirst);
        } else {
            QCOMPARE(entry.status, Entry::Status::OnlyInSecond);
            QCOMPARE(entry.firstIndex, -1);
            QCOMPARE(second.at(entry.secondIndex).serviceName, entry.serviceName);
        }
    }
}

void tst_ServiceListDiff::differencesCarryBothValues()
{
    ServiceInfo file = serviceWithEveryField("Full");
    ServiceInfo installed = file;
    installed.failureResetDays = 0;
    installed.dependencies = QStringList{"RPCSS"};
    installed.launchProtected = QStringLiteral("Windows");

    const QList<Entry> entries = ServiceListDiff::compare({file}, {installed});
    QCOMPARE(entries.size(), 1);
    const QList<ServiceDiff::Field> &fields = entries.first().differences;
    QCOMPARE(fields.size(), 3);
    QCOMPARE(fields.at(0).key, QStringLiteral("dependencies"));
    QCOMPARE(fields.at(0).label, QStringLiteral("Dependencies"));
    QCOMPARE(fields.at(0).imported, QStringLiteral("RPCSS, +TDI"));
    QCOMPARE(fields.at(0).current, QStringLiteral("RPCSS"));
    QCOMPARE(fields.at(1).key, QStringLiteral("failureResetDays"));
    QCOMPARE(fields.at(1).imported, QStringLiteral("2 days"));
    QCOMPARE(fields.at(1).current, QStringLiteral("0 days"));
    QCOMPARE(fields.at(2).key, QStringLiteral("launchProtected"));
    QCOMPARE(fields.at(2).imported, QStringLiteral("None"));
    QCOMPARE(fields.at(2).current, QStringLiteral("Windows"));
}

void tst_ServiceListDiff::meansWhatThePreviewShows()
{
    // What the preview takes for equal (an unset action and "none", a list entry holding ", ")
    // is equal here too.
    ServiceInfo file = named("A");
    file.firstFailure = {QStringLiteral("none"), 5000};
    file.dependencies = QStringList{"RPCSS, http"};
    ServiceInfo installed = named("A");
    installed.dependencies = QStringList{"RPCSS", "http"};

    const QList<Entry> entries = ServiceListDiff::compare({file}, {installed});
    QCOMPARE(entries.first().status, Entry::Status::Same);
    QVERIFY(ServiceDiff::differences(installed, file).isEmpty());
}

QTEST_GUILESS_MAIN(tst_ServiceListDiff)
#include "tst_servicelistdiff.moc"
