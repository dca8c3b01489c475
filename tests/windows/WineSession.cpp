#include "WineSession.h"

#include <QDir>
#include <QProcess>

WineSession::WineSession(const QString &prefix)
    : m_prefix(prefix)
    , m_environment(QProcessEnvironment::systemEnvironment())
{
    m_environment.insert(QStringLiteral("WINEPREFIX"), m_prefix);
    m_environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    m_environment.insert(QStringLiteral("WINEDLLOVERRIDES"), QStringLiteral("mscoree,mshtml="));
    m_environment.insert(QStringLiteral("WINEARCH"), QStringLiteral("win64"));
    m_environment.remove(QStringLiteral("DISPLAY"));
    // Menu entries and file associations that a new prefix registers stay in the build tree
    // instead of the developer's home.
    const QString desktop = m_prefix + QStringLiteral("-desktop");
    m_environment.insert(QStringLiteral("XDG_DATA_HOME"), desktop + QStringLiteral("/data"));
    m_environment.insert(QStringLiteral("XDG_CONFIG_HOME"), desktop + QStringLiteral("/config"));
}

WineSession::~WineSession()
{
    if (m_started)
        stop();
}

bool WineSession::start()
{
    // A server left over from an interrupted run would keep the old prefix alive.
    stop();
    if (!removePrefix())
        return false;
    m_started = true;

    // A persistent server started before the first initialisation has finished leaves two
    // service managers running, and services then vanish at random.
    const Run slow{QString(), QString(), QString(), 180000};
    if (wine({QStringLiteral("wineboot"), QStringLiteral("--init")}, slow) != 0)
        return false;
    if (runProgram(QStringLiteral("wineserver"), {QStringLiteral("-w")}, slow) != 0)
        return false;
    if (runProgram(QStringLiteral("wineserver"), {QStringLiteral("-p")}, {}) != 0)
        return false;
    return wine({QStringLiteral("wineboot")}, slow) == 0;
}

void WineSession::stop()
{
    runProgram(QStringLiteral("wineserver"), {QStringLiteral("-k")}, {});
    runProgram(QStringLiteral("wineserver"), {QStringLiteral("-w")}, {});
    m_started = false;
}

bool WineSession::removePrefix()
{
    if (QDir(m_prefix).removeRecursively()
        && QDir(m_prefix + QStringLiteral("-desktop")).removeRecursively())
        return true;
    m_lastError = QStringLiteral("cannot remove the prefix %1").arg(m_prefix);
    return false;
}

int WineSession::wine(const QStringList &arguments, const Run &run)
{
    return runProgram(QStringLiteral("wine"), arguments, run);
}

int WineSession::runProgram(const QString &program, const QStringList &arguments, const Run &run)
{
    QProcess process;
    process.setProcessEnvironment(m_environment);
    process.setWorkingDirectory(run.workingDirectory);
    process.setStandardInputFile(run.inputFile.isEmpty() ? QProcess::nullDevice() : run.inputFile);
    // Wine's loader writes its own notes to standard error; they are kept apart from the output.
    process.setStandardOutputFile(run.outputFile.isEmpty() ? QProcess::nullDevice()
                                                           : run.outputFile);
    process.setStandardErrorFile(run.outputFile.isEmpty()
                                     ? QProcess::nullDevice()
                                     : run.outputFile + QStringLiteral(".stderr"));

    const QString what = program + u' ' + arguments.join(u' ');
    process.start(program, arguments);
    if (!process.waitForStarted()) {
        m_lastError = QStringLiteral("%1 did not start: %2").arg(what, process.errorString());
        return -1;
    }
    if (!process.waitForFinished(run.timeoutMs)) {
        process.kill();
        process.waitForFinished();
        m_lastError =
            QStringLiteral("%1 did not finish within %2 s").arg(what).arg(run.timeoutMs / 1000);
        return -1;
    }
    if (process.exitStatus() != QProcess::NormalExit) {
        m_lastError = QStringLiteral("%1 crashed").arg(what);
        return -1;
    }
    if (process.exitCode() != 0)
        m_lastError = QStringLiteral("%1 exited with %2").arg(what).arg(process.exitCode());
    return process.exitCode();
}
