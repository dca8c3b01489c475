#pragma once

#include <QStringList>

class QTextStream;

namespace platform {
class SimulatedServiceDatabase;
}

namespace standin {

// Runs one command line of the stand-in sc (the arguments after the program name) against the
// simulated service database: query, start, stop, delete, create, config, description, failure,
// sidtype and privs, with the real tool's arguments. Like the real tool it writes its messages,
// failures included, to out; err only gets the reason when the database itself cannot be used.
// Returns the Windows error code, 0 on success.
int runSc(const QStringList &arguments, platform::SimulatedServiceDatabase &database,
          QTextStream &out, QTextStream &err);

} // namespace standin
