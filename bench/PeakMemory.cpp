#include "PeakMemory.h"

#include "ImportDialog.h"
#include "Ledgerwell.h"

#include <QApplication>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>

#include <sys/resource.h>

#include <cstdio>

namespace PeakMemory {

namespace {

// The high-water mark of this process's own memory. getrusage() is only the fallback: on Linux
// it also counts what the process had before it was started anew, the parent's peak.
long long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').value(0).toLongLong();
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int runChild(const QString &what, const QString &path)
{
    if (what == u"parse") {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        if (!document.isArray())
            return 1;
    } else if (what == u"import") {
        const QList<ServiceInfo> services = Ledgerwell::importFromJson(path);
        if (services.isEmpty())
            return 1;
        ImportDialog dialog(services);
        dialog.show();
        QApplication::processEvents();
    } else {
        return 2;
    }
    std::printf("%lld\n", peakKiB());
    return 0;
}

long long measure(const QString &program, const QString &what, const QString &path)
{
    QProcess child;
    child.start(program, {QStringLiteral("--peak-memory-of"), what, path});
    if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit
        || child.exitCode() != 0)
        return -1;
    bool ok = false;
    const long long kib = child.readAllStandardOutput().trimmed().toLongLong(&ok);
    return ok ? kib : -1;
}

} // namespace PeakMemory
