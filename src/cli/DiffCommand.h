#pragma once

#include <QStringList>

// `ledgerwell-cli diff FILE.json [OTHER.json] [--json]`: the file compared with the installed
// services or with the other file. Exit code 0 when they are the same, 1 when they differ.
namespace DiffCommand {

int run(const QStringList &arguments);

} // namespace DiffCommand
