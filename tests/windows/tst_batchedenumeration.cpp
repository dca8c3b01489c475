#include "platform/BatchedEnumeration.h"

#include <QTest>

#include <cstring>

using platform::BatchAnswer;

// A service manager's listing as Windows hands it out: entries of a fixed size, at most `cap`
// bytes per call, the resume handle counting the entries already handed out.
struct FakeListing
{
    std::uint32_t entries = 0;
    std::uint32_t entrySize = 64;
    std::uint32_t cap = 256 * 1024;
    bool allOrNothing = false;  // Wine answers MoreData without entries until everything fits
    int failOnCall = -1;        // this call answers another error
    int addAfterSizeQuery = 0;  // services created between the size query and the listing
    int wrongNeededOnCall = -1; // this call asks for no more room than it had
    int calls = 0;

    std::uint32_t sizeQuery() const { return entries * entrySize; }

    BatchAnswer operator()(unsigned char *buffer, std::uint32_t size, std::uint32_t &needed,
                           std::uint32_t &returned, std::uint32_t &resume)
    {
        if (calls++ == 0)
            entries += std::uint32_t(addAfterSizeQuery);
        if (calls - 1 == failOnCall)
            return BatchAnswer::Failed;
        const std::uint32_t remaining = entries - resume;
        const std::uint32_t room = std::min(size, cap) / entrySize;
        returned = allOrNothing && room < remaining ? 0 : std::min(room, remaining);
        for (std::uint32_t i = 0; i < returned; ++i) {
            const std::uint32_t index = resume + i;
            std::memcpy(buffer + i * entrySize, &index, sizeof index);
        }
        resume += returned;
        if (resume == entries)
            return BatchAnswer::Complete;
        needed = calls - 1 == wrongNeededOnCall ? size : (entries - resume) * entrySize;
        return BatchAnswer::MoreData;
    }
};

class tst_BatchedEnumeration final : public QObject
{
    Q_OBJECT

private slots:
    void listing_data();
    void listing();
};

void tst_BatchedEnumeration::listing_data()
{
    QTest::addColumn<std::uint32_t>("entries");
    QTest::addColumn<std::uint32_t>("cap");
    QTest::addColumn<bool>("allOrNothing");
    QTest::addColumn<int>("addAfterSizeQuery");
    QTest::addColumn<int>("failOnCall");
    QTest::addColumn<int>("wrongNeededOnCall");
    QTest::addColumn<bool>("listed");
    QTest::addColumn<int>("calls");

    const std::uint32_t windowsCap = 256 * 1024;
    // 10000 entries of 64 bytes fill three 256 KB batches.
    QTest::newRow("one call") << 300u << windowsCap << false << 0 << -1 << -1 << true << 1;
    QTest::newRow("batches with the resume handle")
        << 10000u << windowsCap << false << 0 << -1 << -1 << true << 3;
    QTest::newRow("services added after the size query")
        << 300u << windowsCap << false << 5 << -1 << -1 << true << 2;
    QTest::newRow("added ones in a later batch")
        << 10000u << windowsCap << false << 5 << -1 << -1 << true << 3;
    QTest::newRow("all or nothing until it fits")
        << 300u << windowsCap << true << 5 << -1 << -1 << true << 2;
    QTest::newRow("no services") << 0u << windowsCap << false << 0 << -1 << -1 << true << 1;
    QTest::newRow("other error on the first call")
        << 300u << windowsCap << false << 0 << 0 << -1 << false << 1;
    QTest::newRow("other error in a later batch")
        << 10000u << windowsCap << false << 0 << 1 << -1 << false << 2;
    QTest::newRow("no entries and no more room asked for")
        << 300u << windowsCap << true << 5 << -1 << 0 << false << 1;
}

void tst_BatchedEnumeration::listing()
{
    QFETCH(std::uint32_t, entries);
    QFETCH(std::uint32_t, cap);
    QFETCH(bool, allOrNothing);
    QFETCH(int, addAfterSizeQuery);
    QFETCH(int, failOnCall);
    QFETCH(int, wrongNeededOnCall);
    QFETCH(bool, listed);
    QFETCH(int, calls);

    FakeListing listing;
    listing.entries = entries;
    listing.cap = cap;
    listing.allOrNothing = allOrNothing;
    listing.addAfterSizeQuery = addAfterSizeQuery;
    listing.failOnCall = failOnCall;
    listing.wrongNeededOnCall = wrongNeededOnCall;

    std::vector<std::uint32_t> taken;
    auto take = [&taken, &listing](const unsigned char *buffer, std::uint32_t returned) {
        for (std::uint32_t i = 0; i < returned; ++i) {
            std::uint32_t index = 0;
            std::memcpy(&index, buffer + i * listing.entrySize, sizeof index);
            taken.push_back(index);
        }
    };
    const bool result = platform::readInBatches(listing.sizeQuery(), 8, std::ref(listing), take);

    QCOMPARE(result, listed);
    QCOMPARE(listing.calls, calls);
    if (listed) {
        // Every service once, in the manager's order.
        QCOMPARE(taken.size(), std::size_t(listing.entries));
        for (std::uint32_t i = 0; i < taken.size(); ++i)
            QCOMPARE(taken[i], i);
    }
}

QTEST_GUILESS_MAIN(tst_BatchedEnumeration)
#include "tst_batchedenumeration.moc"
