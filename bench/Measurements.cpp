#include "Measurements.h"

#include "BenchData.h"
#include "PeakMemory.h"
#include "Timing.h"

#include "ImportDialog.h"
#include "Ledgerwell.h"
#include "MainWindow.h"
#include "ServiceEnumerator.h"
#include "ServiceFilter.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLineEdit>
#include <QSaveFile>
#include <QTableWidget>

#include <cstdio>
#include <memory>

namespace Measurements {

namespace {

bool writeFile(const QString &path, const QByteArray &contents)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size()
           && file.commit();
}

// A simulated machine of count services, the one the program reads from now on.
QString useRepeatedDatabase(const Setup &setup, int count)
{
    const QString path = QDir(setup.folder).filePath(QStringLiteral("machine-%1.json").arg(count));
    if (!QFileInfo::exists(path))
        writeFile(path, BenchData::repeatedDatabase(count));
    qputenv("LEDGERWELL_SCM_DB", QFile::encodeName(path));
    return path;
}

void useSampleDatabase(const Setup &setup)
{
    qputenv("LEDGERWELL_SCM_DB", QFile::encodeName(setup.sampleDatabasePath));
}

QString recordsFile(const Setup &setup, int count)
{
    const QString path = QDir(setup.folder).filePath(QStringLiteral("records-%1.json").arg(count));
    if (!QFileInfo::exists(path))
        Ledgerwell::exportToJson(path, BenchData::records(setup.sample, count));
    return path;
}

QJsonDocument parsed(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll())
                                          : QJsonDocument();
}

int countMatches(const QList<ServiceInfo> &services, const QString &text)
{
    const ServiceFilter::Matcher matcher(text);
    int matches = 0;
    for (const ServiceInfo &service : services)
        matches += matcher.matches(service) ? 1 : 0;
    return matches;
}

// Types text into the filter field, as one keystroke, and lets the table settle and paint.
void typeFilter(QLineEdit *filter, const QString &text)
{
    filter->setText(text);
    QApplication::processEvents();
}

void clearFilter(QLineEdit *filter)
{
    filter->clear();
    QApplication::processEvents();
}

QString megabytesPerSecond(qint64 bytes, double ms)
{
    return ms > 0 ? QString::number(double(bytes) / 1e6 / (ms / 1e3), 'f', 0) + " MB/s"
                  : QStringLiteral("-");
}

// Times read, which produces records from the file at path, beside reading and parsing that file
// as a JSON document; count is the number of records read gave. Both results are let go
// untimed.
template<class Read>
Timing::Pair againstParsing(const Setup &setup, const QString &path, const Read &read,
                            qsizetype &count)
{
    QList<ServiceInfo> services;
    QJsonDocument document;
    return Timing::measure(
        setup.repetitions,
        [&] {
            services.clear();
            document = QJsonDocument();
        },
        [&] {
            services = read();
            count = services.size();
        },
        [&] { document = parsed(path); });
}

} // namespace

void enumeration(const Setup &setup, const QList<int> &sizes)
{
    for (const int size : sizes) {
        const QString path = useRepeatedDatabase(setup, size);
        qsizetype listed = 0;
        const Timing::Pair pair = againstParsing(
            setup, path, [] { return ServiceEnumerator::enumerate(); }, listed);
        Timing::printLine(QStringLiteral("enumeration of the simulated machine"), size, pair,
                          QStringLiteral("read + parse the database file"),
                          QStringLiteral("%1 of them Win32 services, listed").arg(listed));
    }
    useSampleDatabase(setup);
}

void mainWindowFilter(const Setup &setup, const QList<int> &sizes)
{
    const QString text = BenchData::fewRowsFilter(setup.sample);
    for (const int size : sizes) {
        useRepeatedDatabase(setup, size);
        const QList<ServiceInfo> services = ServiceEnumerator::enumerate();
        MainWindow window;
        window.show();
        QApplication::processEvents();
        auto *filter = window.findChild<QLineEdit *>(QStringLiteral("filterEdit"));
        int matches = 0;
        const Timing::Pair pair = Timing::measure(
            setup.repetitions, [&] { clearFilter(filter); }, [&] { typeFilter(filter, text); },
            [&] { matches = countMatches(services, text); });
        Timing::printLine(QStringLiteral("filter keystroke, main window"), size, pair,
                          QStringLiteral("the same match over the records"),
                          QStringLiteral("\"%1\": %2 rows match").arg(text).arg(matches));
        // Rows spread over the whole table stay and go: no cost may grow with their number.
        const QString spread = QStringLiteral("svchost");
        const Timing::Pair spreadPair = Timing::measure(
            setup.repetitions, [&] { clearFilter(filter); }, [&] { typeFilter(filter, spread); },
            [&] { matches = countMatches(services, spread); });
        Timing::printLine(QStringLiteral("filter keystroke, main window, rows spread"), size,
                          spreadPair, QStringLiteral("the same match over the records"),
                          QStringLiteral("\"%1\": %2 rows match").arg(spread).arg(matches));
    }
    useSampleDatabase(setup);
}

void importDialogFilter(const Setup &setup, const QList<int> &sizes)
{
    useSampleDatabase(setup);
    for (const int size : sizes) {
        const QList<ServiceInfo> records = BenchData::records(setup.sample, size);
        const QString text = BenchData::oneRecordFilter(size - 1);
        ImportDialog dialog(records);
        dialog.show();
        QApplication::processEvents();
        auto *filter = dialog.findChild<QLineEdit *>(QStringLiteral("filterEdit"));
        int matches = 0;
        const Timing::Pair pair = Timing::measure(
            setup.repetitions, [&] { clearFilter(filter); }, [&] { typeFilter(filter, text); },
            [&] { matches = countMatches(records, text); });
        Timing::printLine(QStringLiteral("filter keystroke, import dialog"), size, pair,
                          QStringLiteral("the same match over the records"),
                          QStringLiteral("\"%1\": %2 rows match").arg(text).arg(matches));
    }
}

void importDialogConstruction(const Setup &setup, const QList<int> &sizes)
{
    useSampleDatabase(setup);
    for (const int size : sizes) {
        const QList<ServiceInfo> records = BenchData::records(setup.sample, size);
        std::unique_ptr<ImportDialog> dialog;
        std::unique_ptr<QTableWidget> table;
        const Timing::Pair pair = Timing::measure(
            setup.repetitions,
            [&] {
                dialog.reset();
                table.reset();
                QApplication::processEvents();
            },
            [&] {
                dialog = std::make_unique<ImportDialog>(records);
                dialog->show();
                QApplication::processEvents();
            },
            [&] {
                // The old way of filling a table: one item per cell, nothing sized or shown.
                table = std::make_unique<QTableWidget>(int(records.size()), 6);
                for (int row = 0; row < records.size(); ++row) {
                    const ServiceInfo &service = records.at(row);
                    auto *check = new QTableWidgetItem;
                    check->setCheckState(Qt::Checked);
                    table->setItem(row, 0, check);
                    table->setItem(row, 1, new QTableWidgetItem(service.serviceName));
                    table->setItem(row, 2, new QTableWidgetItem(service.displayName));
                    table->setItem(row, 3, new QTableWidgetItem(service.startType));
                    table->setItem(row, 4, new QTableWidgetItem(service.accountName));
                    table->setItem(row, 5, new QTableWidgetItem(service.binaryPath));
                }
            });
        dialog.reset();
        table.reset();
        Timing::printLine(
            QStringLiteral("import dialog construction, shown"), size, pair,
            QStringLiteral("bare QTableWidget fill"),
            QStringLiteral("includes reading the %1 installed services").arg(setup.sample.size()));
    }
}

void jsonImport(const Setup &setup, const QList<int> &sizes)
{
    for (const int size : sizes) {
        const QString path = recordsFile(setup, size);
        qsizetype imported = 0;
        const Timing::Pair pair = againstParsing(
            setup, path, [&path] { return Ledgerwell::importFromJson(path); }, imported);
        Timing::printLine(QStringLiteral("JSON import"), size, pair,
                          QStringLiteral("read + QJsonDocument::fromJson"),
                          QStringLiteral("%1 records, %2 MB file")
                              .arg(imported)
                              .arg(double(QFileInfo(path).size()) / 1e6, 0, 'f', 1));
    }
}

void batchExport(const Setup &setup, const QList<int> &sizes)
{
    for (const int size : sizes) {
        const QList<ServiceInfo> records = BenchData::records(setup.sample, size);
        const QString batchPath = QDir(setup.folder).filePath(QStringLiteral("export.bat"));
        const QString jsonPath = QDir(setup.folder).filePath(QStringLiteral("export.json"));
        bool written = true;
        const Timing::Pair pair = Timing::measure(
            setup.repetitions, nullptr,
            [&] { written = Ledgerwell::exportToBatch(batchPath, records) && written; },
            [&] { written = Ledgerwell::exportToJson(jsonPath, records) && written; });
        const qint64 batchBytes = QFileInfo(batchPath).size();
        const qint64 jsonBytes = QFileInfo(jsonPath).size();
        Timing::printLine(QStringLiteral("batch export"), size, pair,
                          QStringLiteral("JSON export, same records"),
                          QStringLiteral("batch %1 (%2 MB), JSON %3 (%4 MB)%5")
                              .arg(megabytesPerSecond(batchBytes, pair.work.median()))
                              .arg(double(batchBytes) / 1e6, 0, 'f', 1)
                              .arg(megabytesPerSecond(jsonBytes, pair.floor.median()))
                              .arg(double(jsonBytes) / 1e6, 0, 'f', 1)
                              .arg(written ? QString() : QStringLiteral("; A WRITE FAILED")));
        QFile::remove(batchPath);
        QFile::remove(jsonPath);
    }
}

void peakMemory(const Setup &setup, const QList<int> &sizes)
{
    useSampleDatabase(setup);
    for (const int size : sizes) {
        const QString path = recordsFile(setup, size);
        const long long parse = PeakMemory::measure(setup.program, QStringLiteral("parse"), path);
        const long long import = PeakMemory::measure(setup.program, QStringLiteral("import"), path);
        const auto mib = [](long long kib) {
            return kib < 0 ? QStringLiteral("failed") : QString::number(double(kib) / 1024, 'f', 0);
        };
        const QString ratio = parse > 0 && import > 0
                                  ? QString::number(double(import) / double(parse), 'f', 2)
                                  : QStringLiteral("-");
        std::printf("%-44s %8d %9s %9s %9s %9s  %-36s %6s\n",
                    "peak memory, import + import dialog (MiB)", size, qPrintable(mib(import)), "",
                    "", qPrintable(mib(parse)), "parse alone, same file (MiB)", qPrintable(ratio));
        std::fflush(stdout);
    }
}

} // namespace Measurements
