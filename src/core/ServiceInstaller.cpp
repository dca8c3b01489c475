#include "ServiceInstaller.h"

#include "Ledgerwell.h"
#include "ServiceAccount.h"
#include "ServiceDiff.h"
#include "ServiceEnumerator.h"
#include "ServiceName.h"
#include "platform/SystemTools.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <algorithm>
#include <filesystem>
#include <system_error>
#include <utility>

namespace {

constexpr int ServiceCannotAcceptControl = 1061; // ERROR_SERVICE_CANNOT_ACCEPT_CONTROL
constexpr int ServiceDoesNotExist = 1060;        // ERROR_SERVICE_DOES_NOT_EXIST
constexpr int ServiceNotActive = 1062;           // ERROR_SERVICE_NOT_ACTIVE
constexpr int ServiceMarkedForDelete = 1072;     // ERROR_SERVICE_MARKED_FOR_DELETE
constexpr int ServiceExists = 1073;              // ERROR_SERVICE_EXISTS
constexpr int StateStopped = 1;                  // SERVICE_STOPPED
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

const ServiceInfo *findNamed(const QList<ServiceInfo> &services, const QString &name)
{
    auto found = std::find_if(services.cbegin(), services.cend(), [&name](const ServiceInfo &s) {
        return ServiceName::same(s.serviceName, name);
    });
    return found == services.cend() ? nullptr : &*found;
}

// Creates the folder and its parents; false with the system's reason when it cannot.
bool createFolder(const QString &folder, QString *error)
{
    std::error_code code;
    std::filesystem::create_directories(QDir(folder).filesystemAbsolutePath(), code);
    if (!code || QFileInfo(folder).isDir())
        return true;
    if (error) {
        *error = QCoreApplication::translate("ImportDialog", "Cannot create the folder %1: %2.")
                     .arg(QDir::toNativeSeparators(folder),
                          QString::fromLocal8Bit(code.message().c_str()));
    }
    return false;
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
    platform::keepApartFromConsoleInterrupts(process);
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
    clearExisting();
    for (const ServiceInfo &service : services) {
        if (!lookUp(service, failedRun)) {
            clearExisting();
            return false;
        }
    }
    return true;
}

void ServiceInstaller::clearExisting()
{
    m_existing.clear();
    m_running.clear();
}

bool ServiceInstaller::lookUp(const ServiceInfo &service, ToolRun *failedRun)
{
    const ToolRun query = run(ServiceCommands::query(service.serviceName), m_timeouts.queryMs);
    if (query.outcome != ToolRun::Outcome::Succeeded && query.outcome != ToolRun::Outcome::Failed) {
        if (failedRun)
            *failedRun = query;
        return false;
    }
    if (query.succeeded() && !isExisting(service.serviceName)) {
        m_existing.append(service.serviceName);
        const int state = stateNumber(query.output);
        if (state > 0 && state != StateStopped)
            m_running.insert(ServiceName::key(service.serviceName));
    }
    return true;
}

QStringList ServiceInstaller::existingNames() const
{
    return m_existing;
}

bool ServiceInstaller::isExisting(const QString &serviceName) const
{
    return std::any_of(m_existing.cbegin(), m_existing.cend(), [&serviceName](const QString &name) {
        return ServiceName::same(name, serviceName);
    });
}

QString ServiceInstaller::backupFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + QStringLiteral("/backups");
}

QString ServiceInstaller::newBackupPath(const QString &folder)
{
    const QDir dir(folder.isEmpty() ? backupFolder() : folder);
    const QString stamp =
        QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss"));
    QString path = dir.filePath(QStringLiteral("replaced-services_%1.json").arg(stamp));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = dir.filePath(QStringLiteral("replaced-services_%1_%2.json").arg(stamp).arg(n));
    return path;
}

bool ServiceInstaller::backUpExisting(const QString &path, QStringList *unreadable, QString *error)
{
    m_saved.clear();
    const QList<ServiceInfo> installed = ServiceEnumerator::enumerate();
    QList<ServiceInfo> records;
    QStringList missing;
    for (const QString &name : std::as_const(m_existing)) {
        const ServiceInfo *found = findNamed(installed, name);
        // A service whose configuration could not be read comes back with names only; every
        // real service has an image path.
        if (!found || found->binaryPath.isEmpty())
            missing.append(name);
        else
            records.append(*found);
    }
    if (unreadable)
        *unreadable = missing;
    if (!missing.isEmpty())
        return false;

    if (!createFolder(QFileInfo(path).absolutePath(), error))
        return false;
    QString writeError;
    if (!Ledgerwell::exportToJson(path, records, &writeError)) {
        if (error) {
            *error = QCoreApplication::translate("ImportDialog", "Cannot write file %1: %2.")
                         .arg(QDir::toNativeSeparators(path), writeError);
        }
        return false;
    }
    // A write that failed part-way can still look like success; only what reads back counts.
    QString why;
    if (!backupHolds(path, records, &why)) {
        if (error) {
            *error = QCoreApplication::translate(
                         "ImportDialog", "The backup file %1 does not read back as written: %2.")
                         .arg(QDir::toNativeSeparators(path), why);
        }
        return false;
    }
    for (const ServiceInfo &record : std::as_const(records))
        m_saved.insert(ServiceName::key(record.serviceName), record);
    return true;
}

bool ServiceInstaller::backupHolds(const QString &path, const QList<ServiceInfo> &services,
                                   QString *why)
{
    auto fail = [why](const QString &reason) {
        if (why)
            *why = reason;
        return false;
    };
    JsonReadError readError;
    const QList<ServiceInfo> saved = Ledgerwell::importFromJson(path, &readError);
    switch (readError.reason) {
    case JsonReadError::Reason::None:
        break;
    case JsonReadError::Reason::CannotOpen:
        return fail(QCoreApplication::translate("ImportDialog", "it cannot be opened (%1)")
                        .arg(readError.detail));
    case JsonReadError::Reason::NotJson:
        return fail(QCoreApplication::translate("ImportDialog",
                                                "it is not valid JSON (%1 at line %2, column %3)")
                        .arg(readError.detail)
                        .arg(readError.line)
                        .arg(readError.column));
    case JsonReadError::Reason::NotArray:
        return fail(QCoreApplication::translate("ImportDialog", "it holds no list of services"));
    }
    for (const ServiceInfo &service : services) {
        const auto found = std::find_if(saved.cbegin(), saved.cend(), [&](const ServiceInfo &s) {
            return s.serviceName == service.serviceName;
        });
        if (found == saved.cend())
            return fail(QCoreApplication::translate("ImportDialog", "the service %1 is missing")
                            .arg(service.serviceName));
        if (*found == service)
            continue;
        const QList<ServiceDiff::Field> fields = ServiceDiff::differences(service, *found);
        if (fields.isEmpty())
            return fail(QCoreApplication::translate("ImportDialog", "the service %1 differs")
                            .arg(service.serviceName));
        return fail(QCoreApplication::translate("ImportDialog",
                                                "the field \"%1\" of the service %2 differs")
                        .arg(fields.constFirst().label, service.serviceName));
    }
    return true;
}

ServiceInstaller::Result ServiceInstaller::install(const ServiceInfo &service)
{
    using Status = Result::Status;
    Result result;
    const QString &name = service.serviceName;
    const bool replace = isExisting(name);
    // Whatever happens now, a second record of this name must not replace this one.
    m_existing.removeIf(
        [&name](const QString &existing) { return ServiceName::same(existing, name); });

    const ServiceInfo saved = m_saved.value(ServiceName::key(name));
    if (replace) {
        if (!m_saved.contains(ServiceName::key(name))) {
            result.status = Status::NotSaved;
            return result;
        }
        // `sc stop` returns before the service has stopped, and deleting a running service only
        // marks it for deletion: the create would then fail and the old service be gone. A stop
        // the tool refuses outright (dependent services running, a service that cannot be
        // stopped) will not come to pass by waiting.
        const ToolRun stop = run(ServiceCommands::stop(name), m_timeouts.changeMs);
        const int stopError = stop.succeeded() ? 0 : errorNumber(stop);
        if (!stop.succeeded()
            && (stop.outcome != ToolRun::Outcome::Failed
                || (stopError != ServiceNotActive && stopError != ServiceCannotAcceptControl
                    && stopError != ServiceDoesNotExist))) {
            result.status = Status::StopRefused;
            result.failedRun = stop;
            return result;
        }
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
        waitForRemoval(name);
    }

    FailedStep failedCreate;
    if (createWithFollowUps(service, &failedCreate, &result.failedFollowUps))
        return result;
    result.failedRun = failedCreate.run;
    const int createError =
        failedCreate.run.outcome == ToolRun::Outcome::Failed ? errorNumber(failedCreate.run) : 0;
    if (failedCreate.run.outcome == ToolRun::Outcome::TimedOut) {
        const State state = queryState(name);
        if (state == State::Stopped || state == State::NotStopped) {
            result.status = Status::CreatedWithoutSettings;
            return result;
        }
    }
    if (replace && createError == ServiceMarkedForDelete) {
        // The old service goes once it is released; the new one cannot come before that.
        result.status = Status::MarkedForDeletion;
        return result;
    }
    result.status = Status::CreateFailed;
    // Still there: the delete did not take, and nothing needs putting back.
    if (!replace || createError == ServiceExists)
        return result;
    restore(saved, result);
    return result;
}

void ServiceInstaller::restore(const ServiceInfo &saved, Result &result) const
{
    using Restore = Result::Restore;
    QList<FailedStep> failedRestoreSteps;
    if (!createWithFollowUps(saved, &result.failedRestoreStep, &failedRestoreSteps)) {
        result.restore = Restore::Failed;
        return;
    }
    if (!failedRestoreSteps.isEmpty()) {
        result.restore = Restore::Failed;
        result.failedRestoreStep = failedRestoreSteps.constFirst();
    } else {
        result.restore = Restore::Restored;
    }
    // The saved configuration has no password: Windows keeps it apart and hands it out to no one.
    if (ServiceAccount::needsPassword(saved.accountName))
        result.accountWithoutPassword = saved.accountName;
    if (m_running.contains(ServiceName::key(saved.serviceName))) {
        if (!result.accountWithoutPassword.isEmpty()) {
            result.restart = Result::Restart::AwaitsPassword;
            return;
        }
        const ToolRun start = run(ServiceCommands::start(saved.serviceName), m_timeouts.changeMs);
        result.restart = start.succeeded() ? Result::Restart::Started : Result::Restart::Failed;
        if (!start.succeeded())
            result.failedStart = start;
    }
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

void ServiceInstaller::waitForRemoval(const QString &serviceName) const
{
    const QDeadlineTimer deadline(m_timeouts.removalWaitMs);
    for (;;) {
        const State state = queryState(serviceName);
        if (state == State::Gone || state == State::Unknown || deadline.hasExpired())
            return;
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
