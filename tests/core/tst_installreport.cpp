#include "InstallReport.h"

#include <QTest>

using Result = ServiceInstaller::Result;

namespace {

ToolRun toolRun(ToolRun::Outcome outcome, int exitCode = 0, const QString &message = QString())
{
    ToolRun run;
    run.outcome = outcome;
    run.program = QStringLiteral("sc");
    run.exitCode = exitCode;
    run.timeoutMs = 10000;
    run.message = message;
    return run;
}

} // namespace

class tst_InstallReport final : public QObject
{
    Q_OBJECT

private slots:
    void errorLines_data();
    void errorLines();
    void summary();
};

void tst_InstallReport::errorLines_data()
{
    QTest::addColumn<Result>("result");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("installed") << Result() << QStringList();

    Result r;
    r.status = Result::Status::NotSaved;
    QTest::newRow("not saved")
        << r << QStringList{"A%1: not replaced - its current configuration was not saved"};

    r = Result();
    r.status = Result::Status::StopTimedOut;
    QTest::newRow("stop") << r
                          << QStringList{
                                 "A%1: stop failed - the service had not stopped after 30 seconds"};

    r = Result();
    r.status = Result::Status::DeleteFailed;
    r.failedRun = toolRun(ToolRun::Outcome::Failed, 5);
    QTest::newRow("delete, exit code only") << r << QStringList{"A%1: delete failed - exit code 5"};

    r = Result();
    r.status = Result::Status::MarkedForDeletion;
    QTest::newRow("marked for deletion")
        << r
        << QStringList{"A%1: marked for deletion, not created - another program holds the "
                       "service open (the Services console, for example), so Windows removes it "
                       "only once that program lets go of it; close it and install again, or "
                       "restore the service from the backup file"};

    r = Result();
    r.status = Result::Status::StopRefused;
    r.failedRun = toolRun(ToolRun::Outcome::Failed, 27, "[SC] ControlService FAILED 1051: Deps.");
    QTest::newRow("stop refused")
        << r
        << QStringList{"A%1: stop failed - [SC] ControlService FAILED 1051: Deps.; the service "
                       "was left as it was"};

    r = Result();
    r.status = Result::Status::CreatedWithoutSettings;
    r.failedRun = toolRun(ToolRun::Outcome::TimedOut);
    QTest::newRow("created, out of time")
        << r
        << QStringList{"A%1: created, but its further settings were not applied - \"sc\" did "
                       "not finish within 10 seconds"};

    r = Result();
    r.status = Result::Status::CreateFailed;
    r.failedRun = toolRun(ToolRun::Outcome::NotStarted, 0, "No such file or directory");
    QTest::newRow("create not started")
        << r
        << QStringList{"A%1: create failed - \"sc\" could not be started: No such file or "
                       "directory"};

    r.failedRun = toolRun(ToolRun::Outcome::TimedOut);
    r.restore = Result::Restore::Restored;
    QTest::newRow("create timed out, restored")
        << r
        << QStringList{"A%1: create failed - \"sc\" did not finish within 10 seconds; the "
                       "previous service was restored"};

    r.failedRun = toolRun(ToolRun::Outcome::Failed, 87, "[SC] CreateService FAILED 87: Bad.");
    r.restore = Result::Restore::Failed;
    r.failedRestoreStep = {"create", toolRun(ToolRun::Outcome::Crashed)};
    QTest::newRow("create failed, restore failed")
        << r
        << QStringList{"A%1: create failed - [SC] CreateService FAILED 87: Bad.; restoring the "
                       "previous service failed at step create - \"sc\" ended abnormally"};

    r.restore = Result::Restore::Restored;
    r.restart = Result::Restart::Started;
    QTest::newRow("restored and started")
        << r
        << QStringList{"A%1: create failed - [SC] CreateService FAILED 87: Bad.; the previous "
                       "service was restored; it was started again"};

    r.restart = Result::Restart::NotNeeded;
    r.accountWithoutPassword = ".\\svc%2";
    QTest::newRow("restored, password lost")
        << r
        << QStringList{"A%1: create failed - [SC] CreateService FAILED 87: Bad.; the previous "
                       "service was restored; a restore cannot bring back the password of its "
                       "account .\\svc%2: enter it again before the service is started"};

    r.restart = Result::Restart::AwaitsPassword;
    QTest::newRow("restored, not started for want of the password")
        << r
        << QStringList{"A%1: create failed - [SC] CreateService FAILED 87: Bad.; the previous "
                       "service was restored; a restore cannot bring back the password of its "
                       "account .\\svc%2, so the service, which was running before, was not "
                       "started: enter the password, then start it"};

    r.restart = Result::Restart::Failed;
    r.failedStart = toolRun(ToolRun::Outcome::Failed, 34, "[SC] StartService FAILED 1058: Off.");
    r.accountWithoutPassword.clear();
    QTest::newRow("restored, start failed")
        << r
        << QStringList{"A%1: create failed - [SC] CreateService FAILED 87: Bad.; the previous "
                       "service was restored; it was running before, but starting it again "
                       "failed - [SC] StartService FAILED 1058: Off."};

    r = Result();
    r.failedFollowUps = {{"description", toolRun(ToolRun::Outcome::Failed, 1, "oops")},
                         {"preshutdown", toolRun(ToolRun::Outcome::TimedOut)}};
    QTest::newRow("follow-ups")
        << r
        << QStringList{"A%1: description failed - oops",
                       "A%1: preshutdown failed - \"sc\" did not finish within 10 seconds"};
}

void tst_InstallReport::errorLines()
{
    QFETCH(Result, result);
    QFETCH(QStringList, lines);
    ServiceInstaller::Timeouts timeouts;
    timeouts.stopWaitMs = 30000;
    timeouts.removalWaitMs = 1500;
    // A name with a placeholder in it stays as it is.
    QCOMPARE(InstallReport::errorLines(QStringLiteral("A%1"), result, timeouts), lines);
}

void tst_InstallReport::summary()
{
    QCOMPARE(InstallReport::summary(2, 2, {}, QString()),
             QStringLiteral("2 of 2 services installed successfully."));
    QCOMPARE(InstallReport::summary(0, 3, {"a: x", "b: y"}, "/data/backups/r.json"),
             QStringLiteral("0 of 3 services installed successfully.\n\nErrors:\na: x\nb: y\n\n"
                            "The previous configuration of the replaced services was saved "
                            "to:\n/data/backups/r.json"));
    QCOMPARE(InstallReport::summary(1, 3, {"a: x"}, QString(), {"B%1", "C"}),
             QStringLiteral("1 of 3 services installed successfully.\n\nThe installation was "
                            "cancelled. These services were not touched:\nB%1\nC\n\n"
                            "Errors:\na: x"));
}

QTEST_GUILESS_MAIN(tst_InstallReport)
#include "tst_installreport.moc"
