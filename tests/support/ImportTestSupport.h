#pragma once

#include "ServiceRecords.h"
#include "SimulatedMachine.h"
#include "TableRows.h"

#include <functional>

class QWidget;

// What the import dialog tests share: a simulated machine of their own, empty at the start, with
// the stand-in tools first on the PATH, and the dialog seam in test mode.
class ImportTestEnvironment : public SimulatedMachine
{
public:
    ImportTestEnvironment();
    ~ImportTestEnvironment();
};

// Runs interact on the next modal dialog that opens while trigger runs; interact must close it.
// False when no modal dialog opened.
bool withNextModal(const std::function<void()> &trigger,
                   const std::function<void(QWidget *)> &interact);
