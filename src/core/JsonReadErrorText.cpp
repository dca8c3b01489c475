#include "JsonReadErrorText.h"

#include "Ledgerwell.h"

#include <QCoreApplication>
#include <QDir>

QString describeJsonReadError(const QString &path, const JsonReadError &error)
{
    const QString nativePath = QDir::toNativeSeparators(path);
    switch (error.reason) {
    case JsonReadError::Reason::CannotOpen:
        return QCoreApplication::translate("MainWindow", "Cannot read file %1:\n%2.")
            .arg(nativePath, error.detail);
    case JsonReadError::Reason::NotJson:
        return QCoreApplication::translate("MainWindow",
                                           "The file is not valid JSON: %1 (line %2, column %3).")
            .arg(error.detail)
            .arg(error.line)
            .arg(error.column);
    case JsonReadError::Reason::NotArray:
        return QCoreApplication::translate(
            "MainWindow", "The file does not hold a list of services: its top level is not a "
                          "JSON array.");
    case JsonReadError::Reason::None:
        break;
    }
    return QString();
}
