#pragma once

#include <QStringList>

class QTextStream;

namespace platform {
class SimulatedServiceDatabase;
}

namespace standin {

// Runs one command line of the stand-in reg (the arguments after the program name). It knows
// only what the program asks of reg: setting a service's pre-shutdown time-out,
//   reg add HKLM\SYSTEM\CurrentControlSet\Services\NAME /v PreshutdownTimeout /t REG_DWORD
//       /d N /f
// (HKEY_LOCAL_MACHINE may be spelt out). Like the real tool it reports success on out and
// failures as "ERROR: ..." on err, and returns 0 or 1.
int runReg(const QStringList &arguments, platform::SimulatedServiceDatabase &database,
           QTextStream &out, QTextStream &err);

} // namespace standin
