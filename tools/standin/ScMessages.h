#pragma once

#include "platform/SimulatedService.h"

#include <QString>

// What the stand-in sc writes: the real tool's message shapes and the Windows error codes and
// texts it reports.
namespace standin {

enum WindowsError : int {
    ErrorAccessDenied = 5,
    ErrorInvalidParameter = 87,
    ErrorInvalidName = 123,
    ErrorDependentServicesRunning = 1051,
    ErrorInvalidServiceControl = 1052,
    ErrorServiceAlreadyRunning = 1056,
    ErrorServiceDisabled = 1058,
    ErrorCircularDependency = 1059,
    ErrorServiceDoesNotExist = 1060,
    ErrorServiceCannotAcceptControl = 1061,
    ErrorServiceNotActive = 1062,
    ErrorDatabaseDoesNotExist = 1065,
    ErrorServiceMarkedForDelete = 1072,
    ErrorServiceExists = 1073,
    ErrorDuplicateServiceName = 1078,
    ErrorNoSuchPrivilege = 1313,
    ErrorInvalidCommandLine = 1639,
};

// The system's text for a Windows error code.
QString errorText(int code);

// "[SC] CreateService SUCCESS" and the like.
QString succeeded(const QString &function);
// "[SC] CreateService FAILED 1073:", a blank line and the error text.
QString failed(const QString &function, int code);

// The status block that query and stop print for a service.
QString statusBlock(const platform::SimulatedService &service);

// The help text of one subcommand, or of the tool when the subcommand is not known.
QString usage(const QString &subcommand);

// What the process can report of a Windows error code: POSIX keeps only the low eight bits of an
// exit status, so the full code stands in the message, and a failure never reads as success.
int exitStatus(int code);

} // namespace standin
