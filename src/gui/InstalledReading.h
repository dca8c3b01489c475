#pragma once

class InstalledServices;

// The installed services that an import dialog compares its records against, read from the
// Service Control Manager with the wait cursor. Each dialog takes its reading when it opens and
// keeps it, so that its change preview and its Status column always see the same one; an
// installation from it takes a new one, since it changed the machine.
namespace InstalledReading {

InstalledServices read();

} // namespace InstalledReading
