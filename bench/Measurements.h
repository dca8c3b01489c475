#pragma once

#include "ServiceInfo.h"

#include <QList>
#include <QString>

// The benchmark's measurements, one function each. Every one prints its lines itself.
namespace Measurements {

struct Setup
{
    QString folder;             // where the generated files go
    QString sampleDatabasePath; // the sample machine, installed services of the import dialog
    QList<ServiceInfo> sample;  // the sample machine's services as the program reads them
    int repetitions = 5;
    QString program; // this executable, for the peak memory runs
};

void enumeration(const Setup &setup, const QList<int> &sizes);
void mainWindowFilter(const Setup &setup, const QList<int> &sizes);
void importDialogFilter(const Setup &setup, const QList<int> &sizes);
void importDialogConstruction(const Setup &setup, const QList<int> &sizes);
void jsonImport(const Setup &setup, const QList<int> &sizes);
void batchExport(const Setup &setup, const QList<int> &sizes);
void peakMemory(const Setup &setup, const QList<int> &sizes);

} // namespace Measurements
