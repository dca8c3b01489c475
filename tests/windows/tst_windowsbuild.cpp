// The Windows configuration of our build, compiled here. CMake configures the project once more,
// for Windows with mingw-w64 as the compiler, over this machine's Qt (windows-configuration.cmake
// says what that mends); AUTOMOC writes its output for that configuration; then every source
// that the configuration compiles is compiled for syntax. All of it happens on every run, so a
// changed source or a new one in the build files is checked by the next ctest without a build.
// Linking and running are out of reach: no Qt for Windows is installed here.

#include "CompileCommands.h"
#include "ShellBatch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <algorithm>
#include <cstdio>

using CompileCommands::shellQuoted;

namespace {

const QString sourceDir = QStringLiteral(LEDGERWELL_SOURCE_DIR);
const QString windowsBuildDir = QStringLiteral(LEDGERWELL_WINDOWS_BUILD_DIR);
const QString windowsBuildType = QStringLiteral("Release");

QString mingwCompiler()
{
    return QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-g++"));
}

QString mingwResourceCompiler()
{
    return QStandardPaths::findExecutable(QStringLiteral("x86_64-w64-mingw32-windres"));
}

// Of CMake's generators, only Ninja writes the resource script into the compile commands.
QString ninja()
{
    return QStandardPaths::findExecutable(QStringLiteral("ninja"));
}

// A path as a report names it: within the sources when it lies there.
QString shownPath(const QString &path)
{
    return path.startsWith(sourceDir + QLatin1Char('/')) ? QDir(sourceDir).relativeFilePath(path)
                                                         : path;
}

QString configureCommand()
{
    QStringList words{
        QStringLiteral(LEDGERWELL_CMAKE),
        QStringLiteral("-S"),
        sourceDir,
        QStringLiteral("-B"),
        windowsBuildDir,
        QStringLiteral("-G"),
        QStringLiteral("Ninja"),
        QStringLiteral("-DCMAKE_MAKE_PROGRAM=") + ninja(),
        QStringLiteral("-DCMAKE_SYSTEM_NAME=Windows"),
        QStringLiteral("-DCMAKE_BUILD_TYPE=") + windowsBuildType,
        QStringLiteral("-DCMAKE_CXX_COMPILER=") + mingwCompiler(),
        QStringLiteral("-DCMAKE_RC_COMPILER=") + mingwResourceCompiler(),
        QStringLiteral("-DQt6_DIR=" LEDGERWELL_QT6_DIR),
        QStringLiteral("-DCMAKE_PROJECT_Ledgerwell_INCLUDE=" LEDGERWELL_WINDOWS_SETUP),
        QStringLiteral("-DCMAKE_EXPORT_COMPILE_COMMANDS=ON"),
        QStringLiteral("-DBUILD_TESTING=ON")};
    for (QString &word : words)
        word = shellQuoted(word);
    return words.join(QLatin1Char(' '));
}

// The AUTOMOC runs of the configuration: one for each target whose moc output it compiles.
QList<ShellCommand> automocRuns(const QList<CompileCommand> &commands)
{
    static const QRegularExpression mocOutput(
        QStringLiteral("^(.*)/([^/]+)_autogen/mocs_compilation\\.cpp$"));
    QList<ShellCommand> runs;
    for (const CompileCommand &command : commands) {
        const QRegularExpressionMatch match = mocOutput.match(command.file);
        if (!match.hasMatch())
            continue;
        const QString targetDir = match.captured(1);
        const QString target = match.captured(2);
        const QString info = targetDir + QStringLiteral("/CMakeFiles/") + target
                             + QStringLiteral("_autogen.dir/AutogenInfo.json");
        runs.append({QStringLiteral("AUTOMOC of ") + target, targetDir,
                     shellQuoted(QStringLiteral(LEDGERWELL_CMAKE))
                         + QStringLiteral(" -E cmake_autogen ") + shellQuoted(info)
                         + QLatin1Char(' ') + windowsBuildType});
    }
    return runs;
}

// A compiler with its flags and the folder where they hold (they may name files relative to it).
struct FlagSet
{
    QString directory;
    QString compilerAndFlags;
};

// Each distinct compiler and flags of the C++ commands, so that a probe meets every one.
QList<FlagSet> distinctFlagSets(const QList<CompileCommand> &commands)
{
    QList<FlagSet> flagSets;
    QSet<QString> seen;
    for (const CompileCommand &command : commands) {
        const QString flags = CompileCommands::compilerAndFlags(command);
        const QString key = command.directory + QLatin1Char('\n') + flags;
        if (!flags.isEmpty() && !seen.contains(key)) {
            seen.insert(key);
            flagSets.append({command.directory, flags});
        }
    }
    return flagSets;
}

// The probe compiled for syntax with one flag set.
ShellCommand probeCommand(const FlagSet &flagSet, const QString &probe)
{
    return {flagSet.compilerAndFlags, flagSet.directory,
            flagSet.compilerAndFlags + QStringLiteral(" -fsyntax-only ") + shellQuoted(probe)};
}

} // namespace

class tst_WindowsBuild final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void windowsSourcesAreListed_data();
    void windowsSourcesAreListed();
    void compilesForWindows();
    void posixHeadersAreMissing_data();
    void posixHeadersAreMissing();
    void everySourceCompiles();

private:
    QString writeProbe(const QByteArray &source);

    QList<CompileCommand> m_commands;
    QList<FlagSet> m_flagSets;
    QTemporaryDir m_probeDir;
};

QString tst_WindowsBuild::writeProbe(const QByteArray &source)
{
    const QString path = m_probeDir.filePath(QStringLiteral("probe.cpp"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(source) != source.size())
        return QString();
    return path;
}

void tst_WindowsBuild::initTestCase()
{
    QVERIFY(m_probeDir.isValid());
    // Configured afresh each time, so that nothing of an earlier run is compiled or counted.
    QVERIFY(QDir(windowsBuildDir).removeRecursively());
    const std::optional<ShellFailure> configured = ShellBatch::runUntilFirstFailure(
        {{QStringLiteral("the Windows configuration"), sourceDir, configureCommand()}}, 1);
    QVERIFY2(!configured, qPrintable(configured ? configured->output : QString()));

    QString error;
    QVERIFY2(CompileCommands::read(windowsBuildDir + QStringLiteral("/compile_commands.json"),
                                   m_commands, error),
             qPrintable(error));
    QVERIFY(!m_commands.isEmpty());
    m_flagSets = distinctFlagSets(m_commands);
    QVERIFY(!m_flagSets.isEmpty());

    const QList<ShellCommand> automoc = automocRuns(m_commands);
    QVERIFY(!automoc.isEmpty());
    const std::optional<ShellFailure> failed =
        ShellBatch::runUntilFirstFailure(automoc, QThread::idealThreadCount());
    QVERIFY2(!failed, qPrintable(failed ? failed->label + ":\n" + failed->output : QString()));
}

void tst_WindowsBuild::windowsSourcesAreListed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("listed");

    QTest::newRow("Windows tools") << "src/core/platform/SystemTools_win.cpp" << true;
    QTest::newRow("advapi32 layer") << "src/core/platform/WindowsServiceControlManager.cpp" << true;
    QTest::newRow("program") << "src/app/main.cpp" << true;
    QTest::newRow("console program") << "src/cli/main.cpp" << true;
    QTest::newRow("console program's Windows layer") << "src/cli/ConsolePlatform_win.cpp" << true;
    QTest::newRow("manifest resource") << "resources/ledgerwell.rc" << true;
    QTest::newRow("portable test") << "tests/core/tst_jsonfile.cpp" << true;
    QTest::newRow("POSIX tools") << "src/core/platform/SystemTools_posix.cpp" << false;
    QTest::newRow("console program's POSIX layer") << "src/cli/ConsolePlatform_posix.cpp" << false;
    QTest::newRow("console program run as a process") << "tests/cli/tst_cli_usage.cpp" << false;
    QTest::newRow("simulated database")
        << "src/core/platform/SimulatedServiceDatabase.cpp" << false;
    QTest::newRow("stand-in sc") << "tools/standin/StandInSc.cpp" << false;
    QTest::newRow("test on the simulated machine")
        << "tests/core/tst_serviceenumerator.cpp" << false;
    QTest::newRow("main window test") << "tests/gui/tst_mainwindow_list.cpp" << false;
    QTest::newRow("test with POSIX facilities") << "tests/core/tst_fulldisk.cpp" << false;
    QTest::newRow("this check") << "tests/windows/tst_windowsbuild.cpp" << false;
}

void tst_WindowsBuild::windowsSourcesAreListed()
{
    QFETCH(QString, file);
    QFETCH(bool, listed);
    const QString path = sourceDir + QLatin1Char('/') + file;
    QVERIFY2(QFileInfo::exists(path), qPrintable(file));
    const bool found = std::any_of(m_commands.cbegin(), m_commands.cend(),
                                   [&](const CompileCommand &c) { return c.file == path; });
    QCOMPARE(found, listed);
}

void tst_WindowsBuild::compilesForWindows()
{
    const QString probe =
        writeProbe("#if !defined(_WIN32) || defined(__linux__) || defined(__unix__)\n"
                   "#error not compiled for Windows\n"
                   "#endif\n"
                   "#if !defined(UNICODE) || !defined(_UNICODE)\n"
                   "#error not compiled with the definitions of a Qt for Windows\n"
                   "#endif\n"
                   "static_assert(sizeof(wchar_t) == 2, \"Windows' wchar_t\");\n");
    QVERIFY(!probe.isEmpty());
    QList<ShellCommand> probes;
    for (const FlagSet &flagSet : std::as_const(m_flagSets))
        probes.append(probeCommand(flagSet, probe));
    const std::optional<ShellFailure> failed =
        ShellBatch::runUntilFirstFailure(probes, QThread::idealThreadCount());
    QVERIFY2(!failed, qPrintable(failed ? failed->label + ":\n" + failed->output : QString()));
}

void tst_WindowsBuild::posixHeadersAreMissing_data()
{
    QTest::addColumn<QString>("header");

    QTest::newRow("file size limits") << "sys/resource.h";
    QTest::newRow("free space") << "sys/statvfs.h";
    QTest::newRow("mounting") << "sys/mount.h";
    // These two lie directly in /usr/include: a stray host include folder would find them.
    QTest::newRow("user database") << "pwd.h";
    QTest::newRow("shared objects") << "dlfcn.h";
}

void tst_WindowsBuild::posixHeadersAreMissing()
{
    QFETCH(QString, header);
    const QString probe = writeProbe("#include <" + header.toUtf8() + ">\n");
    QVERIFY(!probe.isEmpty());
    for (const FlagSet &flagSet : std::as_const(m_flagSets)) {
        const std::optional<ShellFailure> failed =
            ShellBatch::runUntilFirstFailure({probeCommand(flagSet, probe)}, 1);
        QVERIFY2(failed, qPrintable(header + " found with " + flagSet.compilerAndFlags));
        QVERIFY2(failed->output.contains(header), qPrintable(failed->output));
    }
}

void tst_WindowsBuild::everySourceCompiles()
{
    QList<ShellCommand> checks;
    for (const CompileCommand &command : std::as_const(m_commands)) {
        const QString label = shownPath(command.file);
        if (CompileCommands::isCxxSource(command.file)) {
            const QString flags = CompileCommands::compilerAndFlags(command);
            QVERIFY2(!flags.isEmpty(),
                     qPrintable(label + ": unexpected command " + command.command));
            checks.append(
                {label, command.directory, flags + " -fsyntax-only " + shellQuoted(command.file)});
        } else if (CompileCommands::isResourceScript(command.file)) {
            // The resource compiler has no syntax-only mode: its object goes to the probe folder.
            const QString flags = CompileCommands::resourceCompilerAndFlags(command);
            QVERIFY2(!flags.isEmpty(),
                     qPrintable(label + ": unexpected command " + command.command));
            checks.append({label, command.directory,
                           flags + ' ' + shellQuoted(command.file) + ' '
                               + shellQuoted(m_probeDir.filePath(QStringLiteral("resource.res")))});
        } else {
            QFAIL(qPrintable(label + ": no check for this kind of source"));
        }
    }

    const std::optional<ShellFailure> failed =
        ShellBatch::runUntilFirstFailure(checks, QThread::idealThreadCount());
    QVERIFY2(!failed,
             qPrintable(failed ? failed->label + " does not compile for Windows:\n" + failed->output
                               : QString()));
    qInfo("%lld sources of the Windows configuration compile for Windows",
          qlonglong(checks.size()));
}

// Skipped with CTest's SKIP_RETURN_CODE when mingw-w64 is missing, so that it never passes
// without having compiled.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QStringList missing;
    if (mingwCompiler().isEmpty())
        missing.append(QStringLiteral("x86_64-w64-mingw32-g++"));
    if (mingwResourceCompiler().isEmpty())
        missing.append(QStringLiteral("x86_64-w64-mingw32-windres"));
    if (ninja().isEmpty())
        missing.append(QStringLiteral("ninja"));
    if (!missing.isEmpty()) {
        std::printf("SKIPPED: the Windows build check did not run; missing: %s.\n"
                    "Install them with 'scripts/install-deps.sh --windows-checks'.\n",
                    qPrintable(missing.join(QStringLiteral(", "))));
        return 77;
    }
    tst_WindowsBuild test;
    const int failures = QTest::qExec(&test, argc, argv);
    // A run that fails exactly 77 checks must not read as skipped.
    return failures == 77 ? 1 : failures;
}

#include "tst_windowsbuild.moc"
