#pragma once

#include <QStringList>

// `ledgerwell-cli export`: installed services as a JSON service file, a batch script or an
// Ansible playbook. `ledgerwell-cli convert`: a JSON service file as a batch script or a
// playbook. Both write what the window's writers write, with the same refusals.
namespace ExportCommand {

int runExport(const QStringList &arguments);
int runConvert(const QStringList &arguments);

} // namespace ExportCommand
