#include "ServiceRecords.h"

ServiceInfo everyFieldRecord()
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

ServiceInfo serviceWithEveryField(const QString &name)
{
    ServiceInfo service = everyFieldRecord();
    service.serviceName = name;
    // Launch protection is never written to the system; read back, it is "None".
    service.launchProtected = QStringLiteral("None");
    return service;
}

ServiceInfo importedService(const QString &name, const QString &displayName,
                            const QString &startType, const QString &account,
                            const QString &binaryPath, const QString &description)
{
    ServiceInfo service;
    service.serviceName = name;
    service.displayName = displayName;
    service.startType = startType;
    service.serviceType = QStringLiteral("Own");
    service.errorControl = QStringLiteral("Normal");
    service.accountName = account;
    service.binaryPath = binaryPath;
    service.description = description;
    return service;
}

QStringList serviceNames(const QList<ServiceInfo> &services)
{
    QStringList names;
    for (const ServiceInfo &service : services)
        names.append(service.serviceName);
    return names;
}
