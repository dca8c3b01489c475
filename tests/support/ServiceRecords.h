#pragma once

#include "ServiceInfo.h"

// A record with every field set to a value that is easy to get wrong: blanks and quotes in the
// program line, a group dependency, a run-command action, text beyond ASCII.
inline ServiceInfo everyFieldRecord()
{
    ServiceInfo info;
    info.serviceName = "Full";
    info.displayName = "Full Service";
    info.description = "Keeps \"everything\" in order — Größe, 東京";
    info.binaryPath = "\"C:\\Program Files\\Full\\full.exe\" -service \"a b\"";
    info.startType = "DelayedAuto";
    info.serviceType = "Own";
    info.errorControl = "Severe";
    info.accountName = "NT AUTHORITY\\LocalService";
    info.failureResetDays = 2;
    info.firstFailure = {"restart", 60000};
    info.secondFailure = {"run_command", 1000};
    info.subsequentFailure = {"reboot", 5000};
    info.failureCommand = "C:\\tools\\notify.exe";
    info.failureCommandParams = "--to admin";
    info.failureRebootMessage = "Going down";
    info.dependencies = QStringList{"RPCSS", "+TDI"};
    info.loadOrderGroup = "NetworkProvider";
    info.sidType = "Restricted";
    info.preShutdownTimeout = 180000;
    info.requiredPrivileges = QStringList{"SeChangeNotifyPrivilege", "SeImpersonatePrivilege"};
    info.launchProtected = "Antimalware";
    return info;
}
