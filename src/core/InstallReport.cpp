#include "InstallReport.h"

#include <QCoreApplication>
#include <QDir>

namespace {

QString seconds(int ms)
{
    return QString::number((ms + 999) / 1000);
}

} // namespace

namespace InstallReport {

QString runDetail(const ToolRun &run)
{
    const QString program = QDir::toNativeSeparators(run.program);
    switch (run.outcome) {
    case ToolRun::Outcome::Succeeded:
        return QString();
    case ToolRun::Outcome::Failed:
        if (!run.message.isEmpty())
            return run.message;
        return QCoreApplication::translate("ImportDialog", "exit code %1").arg(run.exitCode);
    case ToolRun::Outcome::NotStarted:
        return QCoreApplication::translate("ImportDialog", "\"%1\" could not be started: %2")
            .arg(program, run.message);
    case ToolRun::Outcome::TimedOut:
        return QCoreApplication::translate("ImportDialog",
                                           "\"%1\" did not finish within %2 seconds")
            .arg(program, seconds(run.timeoutMs));
    case ToolRun::Outcome::Crashed:
        return QCoreApplication::translate("ImportDialog", "\"%1\" ended abnormally").arg(program);
    }
    return QString();
}

QStringList errorLines(const QString &serviceName, const ServiceInstaller::Result &result,
                       const ServiceInstaller::Timeouts &timeouts)
{
    using Status = ServiceInstaller::Result::Status;
    QStringList lines;
    switch (result.status) {
    case Status::Installed:
        break;
    case Status::NotSaved:
        lines.append(
            QCoreApplication::translate(
                "ImportDialog", "%1: not replaced - its current configuration was not saved")
                .arg(serviceName));
        break;
    case Status::StopTimedOut:
        lines.append(QCoreApplication::translate("ImportDialog", "%1: stop failed - %2")
                         .arg(serviceName,
                              QCoreApplication::translate(
                                  "ImportDialog", "the service had not stopped after %1 seconds")
                                  .arg(seconds(timeouts.stopWaitMs))));
        break;
    case Status::DeleteFailed:
        lines.append(QCoreApplication::translate("ImportDialog", "%1: delete failed - %2")
                         .arg(serviceName, runDetail(result.failedRun)));
        break;
    case Status::MarkedForDeletion:
        lines.append(QCoreApplication::translate(
                         "ImportDialog",
                         "%1: marked for deletion, not created - another program holds the "
                         "service open (the Services console, for example), so Windows removes "
                         "it only once that program lets go of it; close it and install again, "
                         "or restore the service from the backup file")
                         .arg(serviceName));
        break;
    case Status::StopRefused:
        lines.append(QCoreApplication::translate(
                         "ImportDialog", "%1: stop failed - %2; the service was left as it was")
                         .arg(serviceName, runDetail(result.failedRun)));
        break;
    case Status::CreatedWithoutSettings:
        lines.append(
            QCoreApplication::translate(
                "ImportDialog", "%1: created, but its further settings were not applied - %2")
                .arg(serviceName, runDetail(result.failedRun)));
        break;
    case Status::CreateFailed: {
        QString line = QCoreApplication::translate("ImportDialog", "%1: create failed - %2")
                           .arg(serviceName, runDetail(result.failedRun));
        if (result.restore == ServiceInstaller::Result::Restore::Restored) {
            line +=
                QCoreApplication::translate("ImportDialog", "; the previous service was restored");
        } else if (result.restore == ServiceInstaller::Result::Restore::Failed) {
            line += QCoreApplication::translate("ImportDialog",
                                                "; restoring the previous service failed at "
                                                "step %1 - %2")
                        .arg(result.failedRestoreStep.stepName,
                             runDetail(result.failedRestoreStep.run));
        }
        if (result.restart == ServiceInstaller::Result::Restart::Started) {
            line += QCoreApplication::translate("ImportDialog", "; it was started again");
        } else if (result.restart == ServiceInstaller::Result::Restart::Failed) {
            line += QCoreApplication::translate("ImportDialog",
                                                "; it was running before, but starting it "
                                                "again failed - %1")
                        .arg(runDetail(result.failedStart));
        }
        if (result.restart == ServiceInstaller::Result::Restart::AwaitsPassword) {
            line += QCoreApplication::translate("ImportDialog",
                                                "; a restore cannot bring back the password of "
                                                "its account %1, so the service, which was "
                                                "running before, was not started: enter the "
                                                "password, then start it")
                        .arg(result.accountWithoutPassword);
        } else if (!result.accountWithoutPassword.isEmpty()) {
            line += QCoreApplication::translate("ImportDialog",
                                                "; a restore cannot bring back the password of "
                                                "its account %1: enter it again before the "
                                                "service is started")
                        .arg(result.accountWithoutPassword);
        }
        lines.append(line);
        break;
    }
    }
    for (const ServiceInstaller::FailedStep &step : result.failedFollowUps) {
        lines.append(QCoreApplication::translate("ImportDialog", "%1: %2 failed - %3")
                         .arg(serviceName, step.stepName, runDetail(step.run)));
    }
    return lines;
}

QString summary(int installed, int total, const QStringList &errorLines, const QString &backupPath,
                const QStringList &notTouched)
{
    QString text =
        QCoreApplication::translate("ImportDialog", "%1 of %2 services installed successfully.")
            .arg(installed)
            .arg(total);
    if (!notTouched.isEmpty()) {
        text += QCoreApplication::translate(
                    "ImportDialog",
                    "\n\nThe installation was cancelled. These services were not touched:\n%1")
                    .arg(notTouched.join(u'\n'));
    }
    if (!errorLines.isEmpty()) {
        text += QCoreApplication::translate("ImportDialog", "\n\nErrors:\n%1")
                    .arg(errorLines.join(u'\n'));
    }
    if (!backupPath.isEmpty()) {
        text += QCoreApplication::translate(
                    "ImportDialog",
                    "\n\nThe previous configuration of the replaced services was saved to:\n%1")
                    .arg(QDir::toNativeSeparators(backupPath));
    }
    return text;
}

} // namespace InstallReport
