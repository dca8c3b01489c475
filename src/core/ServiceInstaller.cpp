#include "ServiceInstaller.h"

#include "Ledgerwell.h"
#include "ServiceEnumerator.h"
#include "platform/SystemTools.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <utility>

namespace {

constexpr int ServiceDoesNotExist = 1060; // ERROR_SERVICE_DOES_NOT_EXIST
constexpr int StateStopped = 1;           // SERVICE_STOPPED
constexpr int SliceMs = 20;
constexpr qsizetype MaxMessageLength = 300;

QString oneLine(const QByteArray &output)
{
    QString text = QString::fromLocal8Bit(output).simplified();
    if (text.size() > MaxMessageLength)
        text = text.left(MaxMessageLength - 1) + QChar(0x2026);
    return text;
}

// The Windows error of a failed run: the number the tool prints after "FAILED", else the exit
// code. Exit codes above 255 do not survive outside Windows, the printed number does.
int errorNumber(const ToolRun &run)
{
    static const QRegularExpression failed(QStringLiteral("FAILED (\\d+)"));
    const QRegularExpressionMatch match = failed.match(run.output);
    return match.hasMatch() ? match.captured(1).toInt() : run.exitCode;
}

} // namespace

ServiceInstaller::ServiceInstaller() = default;

int ServiceInstaller::stateNumber(const QString &queryOutput)
{
    // Localised Windows translates the field names ("STATE", "STATUS", ...) but not the state
    // names after the number, so those are what is looked for.
    static const QRegularExpression state(
        QStringLiteral(":\\s*(\\d+)\\s+(?:STOPPED|START_PENDING|STOP_PENDING|RUNNING|"
                       "CONTINUE_PENDING|PAUSE_PENDING|PAUSED)\\b"));
    const QRegularExpressionMatch match = state.match(queryOutput);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

void ServiceInstaller::setTimeouts(const Timeouts &timeouts)
{
    m_timeouts = timeouts;
}

void ServiceInstaller::setIdleCallback(std::function<void()> idle)
{
    m_idle = std::move(idle);
}

ToolRun ServiceInstaller::run(const ServiceCommand &command, int timeoutMs) const
{
    ToolRun result;
    result.program = platform::systemToolProgram(command.program);
    result.timeoutMs = timeoutMs;

    QProcess process;
    process.start(result.program, command.argumentTexts(), QIODevice::ReadWrite);
    if (!process.waitForStarted(timeoutMs)) {
        result.outcome = ToolRun::Outcome::NotStarted;
        result.message = process.errorString();
        return result;
    }
    process.closeWriteChannel(); // a tool that asks for input gets end of file, not a hang

    const QDeadlineTimer deadline(timeoutMs);
    while (process.state() != QProcess::NotRunning && !process.waitForFinished(SliceMs)) {
        if (deadline.hasExpired()) {
            process.kill();
            process.waitForFinished(1000);
            result.outcome = ToolRun::Outcome::TimedOut;
            return result;
        }
        if (m_idle)
            m_idle();
    }

    if (process.exitStatus() == QProcess::CrashExit) {
        result.outcome = ToolRun::Outcome::Crashed;
        return result;
    }
    result.exitCode = process.exitCode();
    result.outcome = result.exitCode == 0 ? ToolRun::Outcome::Succeeded : ToolRun::Outcome::Failed;
    const QByteArray output = process.readAllStandardOutput();
    result.output = QString::fromLocal8Bit(output);
    if (!result.succeeded()) {
        result.message = oneLine(process.readAllStandardError());
        if (result.message.isEmpty())
            result.message = oneLine(output);
    }
    return result;
}

bool ServiceInstaller::findExisting(const QList<ServiceInfo> &services, ToolRun *failedRun)
{
    m_existing.clear();
    for (const ServiceInfo &service : services) {
        const ToolRun query = run(ServiceCommands::query(service.serviceName), m_timeouts.queryMs);
        if (query.outcome != ToolRun::Outcome::Succeeded
            && query.outcome != ToolRun::Outcome::Failed) {
            m_existing.clear();
            if (failedRun)
                *failedRun = query;
            return false;
        }
        if (query.succeeded() && !m_existing.contains(service.serviceName))
            m_existing.append(service.serviceName);
    }
    return true;
}

QStringList ServiceInstaller::existingNames() const
{
    return m_existing;
}

QString ServiceInstaller::newBackupPath()
{
    const QDir folder(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                      + QStringLiteral("/backups"));
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString path = folder.filePath(QStringLiteral("replaced-services_%1.json").arg(stamp));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("replaced-services_%1_%2.json").arg(stamp).arg(n));
    return path;
}

bool ServiceInstaller::backUpExisting(const QString &path, QStringList *unreadable, QString *error)
{
    m_saved.clear();
    const QList<ServiceInfo> installed = ServiceEnumerator::enumerate();
    QList<ServiceInfo> records;
    QStringList missing;
    for (const QString &name : std::as_const(m_existing)) {
        auto found = std::find_if(installed.cbegin(), installed.cend(),
                                  [&name](const ServiceInfo &s) { return s.serviceName == name; });
        // A service whose configuration could not be read comes back with names only; every
        // real service has an image path.
        if (found == installed.cend() || found->binaryPath.isEmpty())
            missing.append(name);
        else
            records.append(*found);
    }
    if (unreadable)
        *unreadable = missing;
    if (!missing.isEmpty())
        return false;

    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
        return false;
    }
    if (!Ledgerwell::exportToJson(path, records, error))
        return false;
    for (const ServiceInfo &record : std::as_const(records))
        m_saved.insert(record.serviceName, record);
    return true;
}

ServiceInstaller::Result ServiceInstaller::install(const ServiceInfo &service)
{
    using Status = Result::Status;
    Result result;
    const QString &name = service.serviceName;
    const bool replace = m_existing.contains(name);
    // Whatever happens now, a second record of this name must not replace this one.
    m_existing.removeAll(name);

    if (replace) {
        if (!m_saved.contains(name)) {
            result.status = Status::NotSaved;
            return result;
        }
        // `sc stop` returns before the service has stopped, and deleting a running service only
        // marks it for deletion: the create would then fail and the old service be gone.
        run(ServiceCommands::stop(name), m_timeouts.changeMs);
        if (!waitFor(name, State::Stopped, m_timeouts.stopWaitMs)) {
            result.status = Status::StopTimedOut;
            return result;
        }
        // A service that vanished since the existence pass needs no delete.
        const ToolRun removal = run(ServiceCommands::remove(name), m_timeouts.changeMs);
        if (!removal.succeeded() && errorNumber(removal) != ServiceDoesNotExist) {
            result.status = Status::DeleteFailed;
            result.failedRun = removal;
            return result;
        }
        if (!waitFor(name, State::Gone, m_timeouts.removalWaitMs)) {
            result.status = Status::RemovalTimedOut;
            return result;
        }
    }

    FailedStep failedCreate;
    if (createWithFollowUps(service, &failedCreate, &result.failedFollowUps))
        return result;
    result.status = Status::CreateFailed;
    result.failedRun = failedCreate.run;
    if (!replace)
        return result;

    // The old service is gone: put back what was saved, with the same steps.
    QList<FailedStep> failedRestoreSteps;
    if (!createWithFollowUps(m_saved.value(name), &result.failedRestoreStep, &failedRestoreSteps)) {
        result.restore = Result::Restore::Failed;
    } else if (!failedRestoreSteps.isEmpty()) {
        result.restore = Result::Restore::Failed;
        result.failedRestoreStep = failedRestoreSteps.constFirst();
    } else {
        result.restore = Result::Restore::Restored;
    }
    return result;
}

bool ServiceInstaller::createWithFollowUps(const ServiceInfo &service, FailedStep *failedCreate,
                                           QList<FailedStep> *failedFollowUps) const
{
    const ServiceCommand create = ServiceCommands::create(service);
    const ToolRun createRun = run(create, m_timeouts.changeMs);
    if (!createRun.succeeded()) {
        *failedCreate = {create.stepName(), createRun};
        return false;
    }
    const QList<ServiceCommand> followUps = ServiceCommands::followUps(service);
    for (const ServiceCommand &command : followUps) {
        const ToolRun step = run(command, m_timeouts.changeMs);
        if (!step.succeeded())
            failedFollowUps->append({command.stepName(), step});
    }
    return true;
}

ServiceInstaller::State ServiceInstaller::queryState(const QString &serviceName) const
{
    const ToolRun query = run(ServiceCommands::query(serviceName), m_timeouts.queryMs);
    if (query.outcome == ToolRun::Outcome::Failed && errorNumber(query) == ServiceDoesNotExist)
        return State::Gone;
    if (!query.succeeded())
        return State::Unknown;
    const int state = stateNumber(query.output);
    if (state < 0)
        return State::Unknown;
    return state == StateStopped ? State::Stopped : State::NotStopped;
}

bool ServiceInstaller::waitFor(const QString &serviceName, State wanted, int limitMs) const
{
    const QDeadlineTimer deadline(limitMs);
    for (;;) {
        const State state = queryState(serviceName);
        // A service that is gone has stopped as well.
        if (state == wanted || (wanted == State::Stopped && state == State::Gone))
            return true;
        if (deadline.hasExpired())
            return false;
        pause(qMin<qint64>(m_timeouts.pollMs, deadline.remainingTime()));
    }
}

void ServiceInstaller::pause(int ms) const
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (m_idle)
            m_idle();
        QThread::msleep(qMin<qint64>(SliceMs, qMax<qint64>(1, deadline.remainingTime())));
    }
}
