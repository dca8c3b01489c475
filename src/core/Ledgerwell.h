#pragma once

#include "ServiceInfo.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Why a JSON service file could not be read.
struct JsonReadError
{
    enum class Reason { None, CannotOpen, NotJson, NotArray };

    Reason reason = Reason::None;
    QString detail; // the system's or the JSON parser's own message
    int line = 0;   // where the parser stopped (1-based), for NotJson
    int column = 0;
};

// The exchange formats: the JSON service file and the batch script of sc commands.
class Ledgerwell
{
public:
    Ledgerwell() = delete;

    // Both writers replace the file only once it has been written completely. They return false,
    // with the reason in errorString, when it could not be.
    static bool exportToJson(const QString &path, const QList<ServiceInfo> &services,
                             QString *errorString = nullptr);
    static bool exportToBatch(const QString &path, const QList<ServiceInfo> &services,
                              QString *errorString = nullptr);

    // The bytes that exportToJson and exportToBatch write.
    static QByteArray jsonDocument(const QList<ServiceInfo> &services);
    static QByteArray batchScript(const QList<ServiceInfo> &services);
    // How every file of ours is written: the file is replaced only once all of contents has been
    // written; false, with the reason in errorString, when it could not be.
    static bool writeFile(const QString &path, const QByteArray &contents,
                          QString *errorString = nullptr);

    // The records of the file, empty when it holds none or cannot be read; error says which.
    static QList<ServiceInfo> importFromJson(const QString &path, JsonReadError *error = nullptr);
};
