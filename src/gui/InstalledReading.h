#pragma once

class InstalledServices;

// The installed services that the import dialog compares its records against: read from the
// Service Control Manager when first needed (with the wait cursor) and kept for the rest of the
// run, so that the change preview and the Status column always see the same reading. An
// installation reads them again, since it changed them.
namespace InstalledReading {

const InstalledServices &current();
// Reads the installed services again now.
void refresh();
// Drops the reading; the next current() reads the installed services again.
void forget();

} // namespace InstalledReading
