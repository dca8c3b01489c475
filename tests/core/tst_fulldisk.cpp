// Every writer on a disk that fills up part-way: a small tmpfs (as root) and a file size limit.
// The write must be reported as failed, the file already at the path must stay as it was, and
// no temporary file may be left. Content smaller than Qt's write buffer (about 16 KB) only
// fails when the buffer goes out, after write() has already succeeded.

#include "Ledgerwell.h"
#include "ServiceRecords.h"
#include "platform/SimulatedServiceDatabase.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

enum class Writer { Json, Batch, Database };

// Each record takes about 1 to 1.5 KB in each kind of file.
constexpr int DescriptionLength = 300;

// Writes a file of count records to path with the writer.
bool write(Writer writer, const QString &path, int count, QString *error)
{
    QList<ServiceInfo> records;
    for (int i = 0; i < count; ++i) {
        ServiceInfo s = everyFieldRecord();
        s.serviceName = QStringLiteral("Svc%1").arg(i);
        s.description = QString(DescriptionLength, u'd');
        records.append(s);
    }
    switch (writer) {
    case Writer::Json:
        return Ledgerwell::exportToJson(path, records, error);
    case Writer::Batch:
        return Ledgerwell::exportToBatch(path, records, error);
    case Writer::Database:
        return platform::SimulatedServiceDatabase(path).update(
            [count](QList<platform::SimulatedService> &services) {
                services.clear();
                for (int i = 0; i < count; ++i) {
                    platform::SimulatedService service;
                    service.name = QStringLiteral("Svc%1").arg(i);
                    service.binaryPath = QStringLiteral("C:\\svc.exe");
                    service.description = QString(DescriptionLength, u'd');
                    services.append(service);
                }
                return true;
            },
            error);
    }
    return false;
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(cannot be read)");
}

} // namespace

Q_DECLARE_METATYPE(Writer)

class tst_FullDisk final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void fullTmpfs_data();
    void fullTmpfs();
    void fileSizeLimit_data();
    void fileSizeLimit();

private:
    void writers();
    // Fills the tmpfs to the brim, then frees kilobytes of it.
    bool leaveFree(int kilobytes);

    QTemporaryDir m_mountPoint;
    QString m_skipReason;
    bool m_mounted = false;
};

void tst_FullDisk::initTestCase()
{
    QVERIFY(m_mountPoint.isValid());
    std::signal(SIGXFSZ, SIG_IGN);
    if (geteuid() != 0) {
        m_skipReason = QStringLiteral("the tmpfs cases need root, to mount a small tmpfs");
        return;
    }
    const QByteArray target = QFile::encodeName(m_mountPoint.path());
    if (mount("tmpfs", target.constData(), "tmpfs", 0, "size=64k") != 0) {
        m_skipReason = QStringLiteral("cannot mount a tmpfs: %1").arg(qt_error_string(errno));
        return;
    }
    m_mounted = true;
}

void tst_FullDisk::cleanupTestCase()
{
    if (m_mounted)
        QCOMPARE(umount(QFile::encodeName(m_mountPoint.path()).constData()), 0);
}

void tst_FullDisk::writers()
{
    QTest::addColumn<Writer>("writer");
    QTest::addColumn<int>("records");
    for (const auto &[name, writer] :
         {std::pair("JSON export", Writer::Json), std::pair("batch export", Writer::Batch),
          std::pair("simulated database", Writer::Database)}) {
        // 5 to 12 KB, then 20 to 45 KB.
        QTest::addRow("%s, under the write buffer", name) << writer << 8;
        QTest::addRow("%s, over the write buffer", name) << writer << 30;
    }
}

bool tst_FullDisk::leaveFree(int kilobytes)
{
    QFile filler(m_mountPoint.filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray page(4096, 'f');
    while (filler.write(page) == page.size()) {
    }
    return filler.resize(qMax<qint64>(0, filler.size() - kilobytes * 1024));
}

void tst_FullDisk::fullTmpfs_data()
{
    writers();
}

void tst_FullDisk::fullTmpfs()
{
    QFETCH(Writer, writer);
    QFETCH(int, records);
    if (!m_mounted)
        QSKIP(qPrintable(m_skipReason));

    QDir disk(m_mountPoint.path());
    for (const QString &entry : disk.entryList(QDir::Files | QDir::Hidden))
        QVERIFY(disk.remove(entry));
    const QString path = disk.filePath(QStringLiteral("services.out"));
    QString error;
    QVERIFY2(write(writer, path, 1, &error), qPrintable(error));
    const QByteArray before = contents(path);
    // Room for a lock file, or for the first 4 KB of the new content.
    QVERIFY(leaveFree(4));

    QVERIFY(!write(writer, path, records, &error));
    QVERIFY2(error.contains(QStringLiteral("No space left on device")), qPrintable(error));
    QCOMPARE(contents(path), before);
    QCOMPARE(disk.entryList(QDir::Files | QDir::Hidden),
             QStringList({QStringLiteral("filler"), QStringLiteral("services.out")}));
}

void tst_FullDisk::fileSizeLimit_data()
{
    writers();
}

void tst_FullDisk::fileSizeLimit()
{
    QFETCH(Writer, writer);
    QFETCH(int, records);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("services.out"));
    QString error;
    QVERIFY2(write(writer, path, 1, &error), qPrintable(error));
    const QByteArray before = contents(path);

    // Works for root too: a file may not grow past 4 KB.
    rlimit saved{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = write(writer, path, records, &error);
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &saved), 0);

    QVERIFY(!written);
    QVERIFY(!error.isEmpty());
    QCOMPARE(contents(path), before);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
             QStringList{QStringLiteral("services.out")});
}

QTEST_GUILESS_MAIN(tst_FullDisk)
#include "tst_fulldisk.moc"
