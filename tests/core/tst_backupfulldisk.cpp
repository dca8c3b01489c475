#include "Installation.h"

#include "ServiceEnumerator.h"
#include "ServiceRecords.h"
#include "SimulatedMachine.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

// The backup of the services to be replaced on a disk that fills up while it is written: a small
// tmpfs, which needs root.
class tst_BackupFullDisk final : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fullDiskChangesNothing();

private:
    std::unique_ptr<SimulatedMachine> m_env;
    std::unique_ptr<QTemporaryDir> m_mountPoint;
    bool m_mounted = false;
};

void tst_BackupFullDisk::init()
{
    if (geteuid() != 0)
        QSKIP("Mounting the small tmpfs needs root.");
    m_env = std::make_unique<SimulatedMachine>(SimulatedMachine::Tools::StandInsOnPath);
    m_mountPoint = std::make_unique<QTemporaryDir>();
    QVERIFY(m_env->isValid() && m_mountPoint->isValid());
    QProcess mount;
    mount.start("mount", {"-t", "tmpfs", "-o", "size=64k", "tmpfs", m_mountPoint->path()});
    if (!mount.waitForFinished(10000) || mount.exitCode() != 0)
        QSKIP(qPrintable("Cannot mount a tmpfs: " + mount.readAllStandardError()));
    m_mounted = true;
}

void tst_BackupFullDisk::cleanup()
{
    if (m_mounted)
        QProcess::execute("umount", {m_mountPoint->path()});
    m_mounted = false;
    m_mountPoint.reset();
    m_env.reset();
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
}

void tst_BackupFullDisk::fullDiskChangesNothing()
{
    // Eight services whose backup is about 14 KB, under Qt's write buffer, on a disk with 4 KB
    // left.
    QJsonArray services;
    QList<ServiceInfo> records;
    for (int i = 0; i < 8; ++i) {
        const QString name = QStringLiteral("Service%1").arg(i);
        services.append(simulatedService(name, name, "C:\\svc.exe", 3, "LocalSystem",
                                         QString(1200, QChar(u'a' + i))));
        records.append(importedService(name, "New " + name));
    }
    QVERIFY(m_env->writeDatabase(services));
    const QList<ServiceInfo> before = ServiceEnumerator::enumerate();

    const QString folder = m_mountPoint->filePath("backups");
    QVERIFY(QDir().mkpath(folder));
    QFile filler(m_mountPoint->filePath("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly));
    QCOMPARE(filler.write(QByteArray(60 * 1024, 'x')), 60 * 1024);
    QVERIFY(filler.flush());
    filler.close();

    Installation::Hooks hooks;
    hooks.confirmReplace = [](const QStringList &, const QString &) {
        return true;
    };
    Installation installation(hooks);
    installation.setBackupFolder(folder);
    const Installation::Report report = installation.run(Installation::numbered(records));

    QCOMPARE(report.ending, Installation::Report::Ending::BackupFailed);
    QVERIFY2(report.text.endsWith("\n\nNothing was changed."), qPrintable(report.text));
    QCOMPARE(report.installed, 0);
    QCOMPARE(ServiceEnumerator::enumerate(), before);
}

QTEST_GUILESS_MAIN(tst_BackupFullDisk)
#include "tst_backupfulldisk.moc"
