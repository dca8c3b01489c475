#pragma once

#include <QString>

// Peak memory of a piece of work, measured in a process of its own: this program started again
// with --peak-memory-of, so that each figure is that work's own high-water mark.
namespace PeakMemory {

// The run in the child: "parse" reads and parses the file as a JSON document; "import" imports
// it as a JSON service file and opens the import dialog on the records. Prints the peak in KiB.
int runChild(const QString &what, const QString &path);

// Starts the child for what on path and returns its peak in KiB, or -1 when it failed.
long long measure(const QString &program, const QString &what, const QString &path);

} // namespace PeakMemory
