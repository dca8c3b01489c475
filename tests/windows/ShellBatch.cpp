#include "ShellBatch.h"

#include <QEventLoop>
#include <QProcess>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace ShellBatch {

namespace {

QString howItEnded(const QProcess &process)
{
    if (process.error() == QProcess::FailedToStart)
        return QStringLiteral("could not start /bin/sh: %1").arg(process.errorString());
    if (process.exitStatus() == QProcess::CrashExit)
        return QStringLiteral("ended abnormally: %1").arg(process.errorString());
    return QStringLiteral("exit code %1").arg(process.exitCode());
}

} // namespace

std::optional<ShellFailure> runUntilFirstFailure(const QList<ShellCommand> &commands, int jobs)
{
    jobs = std::max(jobs, 1);
    std::optional<ShellFailure> failure;
    std::vector<std::unique_ptr<QProcess>> running;
    qsizetype next = 0;
    QEventLoop loop;

    std::function<void()> startMore;
    const auto finished = [&](QProcess *process, const ShellCommand &command) {
        const bool passed = process->error() != QProcess::FailedToStart
                            && process->exitStatus() == QProcess::NormalExit
                            && process->exitCode() == 0;
        if (!passed && !failure) {
            failure = ShellFailure{command.label, QString::fromLocal8Bit(process->readAll())
                                                      + QLatin1Char('\n') + howItEnded(*process)};
        }
        // Deleted later: this runs inside one of the process's own signals.
        auto it = std::find_if(running.begin(), running.end(),
                               [process](const auto &p) { return p.get() == process; });
        if (it != running.end()) {
            it->release()->deleteLater();
            running.erase(it);
        }
        startMore();
    };
    startMore = [&] {
        while (!failure && next < commands.size() && qsizetype(running.size()) < jobs) {
            const ShellCommand &command = commands.at(next++);
            auto process = std::make_unique<QProcess>();
            process->setProcessChannelMode(QProcess::MergedChannels);
            process->setWorkingDirectory(command.directory);
            QProcess *raw = process.get();
            QObject::connect(raw, &QProcess::finished, &loop,
                             [&finished, raw, &command] { finished(raw, command); });
            QObject::connect(raw, &QProcess::errorOccurred, &loop,
                             [&finished, raw, &command](QProcess::ProcessError error) {
                                 if (error == QProcess::FailedToStart)
                                     finished(raw, command);
                             });
            running.push_back(std::move(process));
            raw->start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command.command});
        }
        if (running.empty() || failure)
            loop.quit();
    };

    startMore();
    if (!running.empty() && !failure)
        loop.exec();
    for (const auto &process : running) {
        process->disconnect();
        process->kill();
        process->waitForFinished();
    }
    return failure;
}

} // namespace ShellBatch
