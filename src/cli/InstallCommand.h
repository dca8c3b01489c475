#pragma once

#include <QStringList>

// `ledgerwell-cli install FILE.json [--service NAME]... [--yes] [--dry-run]`: the installation of
// the import dialog's "Install Services", through the same core flow, with a terminal prompt in
// place of its message boxes.
namespace InstallCommand {

int run(const QStringList &arguments);

} // namespace InstallCommand
