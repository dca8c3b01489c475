#pragma once

#include <QString>
#include <QStringList>

// One recovery action of a service.
struct FailureAction
{
    QString type; // recovery action word: "none", "restart", "reboot", "run_command"
    int delayMs = 0;
};

// The configuration of one service as the program exports, stores, edits, compares and
// re-creates it. Enumerated settings are held as fixed English words (see ValueWords.h);
// an empty text means that the value was not available.
struct ServiceInfo
{
    QString serviceName;
    QString displayName;
    QString description;
    QString binaryPath;
    QString startType;
    QString serviceType;
    QString errorControl;
    QString accountName;
    int failureResetDays = 0;
    FailureAction firstFailure;
    FailureAction secondFailure;
    FailureAction subsequentFailure;
    QString failureCommand;
    QString failureCommandParams;
    QString failureRebootMessage;
    QStringList dependencies;
    QString loadOrderGroup;
    QString sidType;
    int preShutdownTimeout = 0;
    QStringList requiredPrivileges;
    QString launchProtected;
};

inline bool operator==(const FailureAction &a, const FailureAction &b)
{
    return a.type == b.type && a.delayMs == b.delayMs;
}

inline bool operator!=(const FailureAction &a, const FailureAction &b)
{
    return !(a == b);
}

inline bool operator==(const ServiceInfo &a, const ServiceInfo &b)
{
    return a.serviceName == b.serviceName && a.displayName == b.displayName
           && a.description == b.description && a.binaryPath == b.binaryPath
           && a.startType == b.startType && a.serviceType == b.serviceType
           && a.errorControl == b.errorControl && a.accountName == b.accountName
           && a.failureResetDays == b.failureResetDays && a.firstFailure == b.firstFailure
           && a.secondFailure == b.secondFailure && a.subsequentFailure == b.subsequentFailure
           && a.failureCommand == b.failureCommand
           && a.failureCommandParams == b.failureCommandParams
           && a.failureRebootMessage == b.failureRebootMessage && a.dependencies == b.dependencies
           && a.loadOrderGroup == b.loadOrderGroup && a.sidType == b.sidType
           && a.preShutdownTimeout == b.preShutdownTimeout
           && a.requiredPrivileges == b.requiredPrivileges
           && a.launchProtected == b.launchProtected;
}

inline bool operator!=(const ServiceInfo &a, const ServiceInfo &b)
{
    return !(a == b);
}
