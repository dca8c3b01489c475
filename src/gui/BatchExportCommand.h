#pragma once

#include "ServiceInfo.h"

#include <QList>
#include <QString>

class QWidget;

// The batch export as the main window and the import dialog run it once the user has chosen
// the file: the script is written, or refused, and the user is told how it went.
namespace BatchExportCommand {

// Writes the script of the services to path. positions holds each record's 1-based position in
// its file, by which records left out for their service name are named; empty for 1, 2, ...
// False when nothing was written.
bool run(QWidget *parent, const QString &path, const QList<ServiceInfo> &services,
         const QList<int> &positions = {});

} // namespace BatchExportCommand
