// ledgerwell_bench: times what the program does at every size against a floor timed beside it in
// the same process, and measures peak memory. See "Benchmark" in the README.

#include "BenchData.h"
#include "Measurements.h"
#include "PeakMemory.h"
#include "Timing.h"

#include "ServiceEnumerator.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Sizes
{
    QList<int> enumeration{300, 3000, 30000};
    QList<int> mainWindowFilter{3000, 10000, 30000};
    QList<int> importDialogFilter{10000, 30000};
    QList<int> construction{1000, 10000, 100000};
    QList<int> jsonImport{10000, 100000};
    QList<int> batchExport{10000, 100000};
    QList<int> peakMemory{100000};
};

Sizes largeSizes()
{
    Sizes sizes;
    sizes.enumeration.append(100000);
    sizes.mainWindowFilter.append(100000);
    sizes.importDialogFilter.append(100000);
    sizes.construction.append(300000);
    sizes.jsonImport.append(300000);
    sizes.batchExport.append(300000);
    sizes.peakMemory.append(300000);
    return sizes;
}

// One small size of each, for a run that only shows the benchmark still works.
Sizes quickSizes()
{
    return {{300}, {300}, {300}, {300}, {300}, {300}, {300}};
}

// The offscreen platform's notes about window hints say nothing about the figures.
void quietMessages(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("propagateSizeHints"))
        || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

bool writeFile(const QString &path, const QByteArray &contents)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size()
           && file.commit();
}

} // namespace

int main(int argc, char *argv[])
{
    // The windows are measured, never shown on a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietMessages);
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Quorvantel"));
    QApplication::setApplicationName(QStringLiteral("Ledgerwell Benchmark"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Times Ledgerwell's work at several sizes beside a floor timed in the same run."));
    parser.addHelpOption();
    const QCommandLineOption large(QStringLiteral("large"),
                                   QStringLiteral("Add the large sizes (several minutes)."));
    const QCommandLineOption quick(
        QStringLiteral("quick"), QStringLiteral("Only the smallest size of each, once (a check)."));
    const QCommandLineOption repetitions(QStringLiteral("repetitions"),
                                         QStringLiteral("Repetitions of each figure (default 5)."),
                                         QStringLiteral("count"), QStringLiteral("5"));
    const QCommandLineOption only(
        QStringLiteral("only"),
        QStringLiteral("Only these measurements, separated by commas: enumeration, main-filter, "
                       "dialog-filter, construction, json-import, batch-export, memory."),
        QStringLiteral("names"));
    QCommandLineOption peakMemoryOf(QStringLiteral("peak-memory-of"),
                                    QStringLiteral("Internal: one peak memory run."),
                                    QStringLiteral("what"));
    peakMemoryOf.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOptions({large, quick, repetitions, only, peakMemoryOf});
    parser.process(app);

    if (parser.isSet(peakMemoryOf)) {
        const QStringList rest = parser.positionalArguments();
        return PeakMemory::runChild(parser.value(peakMemoryOf), rest.value(0));
    }

    QTemporaryDir folder;
    if (!folder.isValid()) {
        std::fprintf(stderr, "Cannot create a temporary folder.\n");
        return 1;
    }
    // The main window keeps its layout in the settings; the user's own stay untouched.
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.filePath("settings"));

    Measurements::Setup setup;
    setup.folder = folder.path();
    setup.program = QApplication::applicationFilePath();
    setup.repetitions = parser.isSet(quick) ? 1 : qMax(1, parser.value(repetitions).toInt());
    setup.sampleDatabasePath = folder.filePath(QStringLiteral("sample-machine.json"));
    if (!writeFile(setup.sampleDatabasePath, BenchData::sampleDatabase())) {
        std::fprintf(stderr, "Cannot write the sample machine.\n");
        return 1;
    }
    qputenv("LEDGERWELL_SCM_DB", QFile::encodeName(setup.sampleDatabasePath));
    setup.sample = ServiceEnumerator::enumerate();
    if (setup.sample.isEmpty()) {
        std::fprintf(stderr, "The sample machine lists no services.\n");
        return 1;
    }

    const Sizes sizes =
        parser.isSet(quick) ? quickSizes() : (parser.isSet(large) ? largeSizes() : Sizes());
    std::printf("Times in ms: median, min and max of %d repetitions; the floor's median; "
                "ratio = median / floor.\n\n",
                setup.repetitions);
    Timing::printHeader();
    const QStringList chosen = parser.value(only).split(u',', Qt::SkipEmptyParts);
    const auto run = [&chosen](const char *name, const auto &measurement, const QList<int> &list,
                               const Measurements::Setup &with) {
        if (chosen.isEmpty() || chosen.contains(QLatin1String(name)))
            measurement(with, list);
    };
    run("enumeration", Measurements::enumeration, sizes.enumeration, setup);
    run("main-filter", Measurements::mainWindowFilter, sizes.mainWindowFilter, setup);
    run("dialog-filter", Measurements::importDialogFilter, sizes.importDialogFilter, setup);
    run("construction", Measurements::importDialogConstruction, sizes.construction, setup);
    run("json-import", Measurements::jsonImport, sizes.jsonImport, setup);
    run("batch-export", Measurements::batchExport, sizes.batchExport, setup);
    run("memory", Measurements::peakMemory, sizes.peakMemory, setup);
    return 0;
}
