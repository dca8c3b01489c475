#pragma once

#include "BatchScript.h"
#include "ServiceInfo.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

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
    // with the reason in errorString, when it could not be. The batch writer leaves out records
    // that cannot be used or written (see BatchScript::write), naming them in leftOut, and
    // refuses, with the refusal as errorString, a script that cmd.exe would not read as written;
    // then it writes nothing.
    static bool exportToJson(const QString &path, const QList<ServiceInfo> &services,
                             QString *errorString = nullptr);
    static bool exportToBatch(const QString &path, const QList<ServiceInfo> &services,
                              QString *errorString = nullptr, QStringList *leftOut = nullptr);

    // The bytes that exportToJson writes.
    static QByteArray jsonDocument(const QList<ServiceInfo> &services);
    // The bytes that exportToBatch writes, or why it writes none; see BatchScript::write.
    static BatchScript::Script batchScript(const QList<ServiceInfo> &services,
                                           const QList<int> &positions = {});
    // How every file of ours is written (AtomicFile::write): the file is replaced only once all
    // of contents is on the disk; false, with the reason in errorString, when it could not be.
    static bool writeFile(const QString &path, const QByteArray &contents,
                          QString *errorString = nullptr);

    // The records of the file, empty when it holds none or cannot be read; error says which.
    static QList<ServiceInfo> importFromJson(const QString &path, JsonReadError *error = nullptr);
};
