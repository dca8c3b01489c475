#pragma once

#include <QStringList>

// `ledgerwell-cli list [--filter TEXT] [--json]`: the installed services as a table, or as the
// JSON service file the window's export writes for them.
namespace ListCommand {

int run(const QStringList &arguments);

} // namespace ListCommand
