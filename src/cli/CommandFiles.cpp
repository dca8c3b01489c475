#include "CommandFiles.h"

#include "CommandLine.h"
#include "Console.h"
#include "JsonReadErrorText.h"
#include "Ledgerwell.h"

#include <QCoreApplication>
#include <QDir>

namespace CommandFiles {

std::optional<QList<ServiceInfo>> read(const QString &path, Empty empty)
{
    JsonReadError error;
    QList<ServiceInfo> services = Ledgerwell::importFromJson(path, &error);
    if (error.reason == JsonReadError::Reason::None
        && (!services.isEmpty() || empty == Empty::Allowed))
        return services;

    const QString reason = describeJsonReadError(path, error);
    if (error.reason == JsonReadError::Reason::CannotOpen) {
        Console::error(reason); // it names the file
    } else {
        Console::error(QDir::toNativeSeparators(path) + QStringLiteral(": ")
                       + (reason.isEmpty() ? QCoreApplication::translate(
                              "MainWindow", "No services found in file.")
                                           : reason));
    }
    return std::nullopt;
}

int write(const QByteArray &result, const QString &path)
{
    if (path.isEmpty() || path == u"-") {
        if (Console::out(result))
            return ExitCode::Done;
        Console::error(QStringLiteral("Cannot write to standard output."));
        return ExitCode::Refused;
    }
    QString error;
    if (Ledgerwell::writeFile(path, result, &error))
        return ExitCode::Done;
    Console::error(QCoreApplication::translate("MainWindow", "Cannot write file %1:\n%2.")
                       .arg(QDir::toNativeSeparators(path), error));
    return ExitCode::Refused;
}

QCommandLineOption outputOption()
{
    return {{QStringLiteral("o"), QStringLiteral("output")},
            QStringLiteral("Write to FILE instead of standard output (\"-\" is standard output)."),
            QStringLiteral("FILE")};
}

} // namespace CommandFiles
