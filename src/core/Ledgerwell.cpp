#include "Ledgerwell.h"

#include "AtomicFile.h"
#include "JsonServiceReader.h"
#include "YamlText.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

#include <optional>

namespace {

QJsonArray toJsonArray(const QStringList &list)
{
    return QJsonArray::fromStringList(list);
}

QJsonObject failureActionToJson(const FailureAction &action)
{
    return {{QStringLiteral("type"), action.type}, {QStringLiteral("delayMs"), action.delayMs}};
}

QJsonObject serviceToJson(const ServiceInfo &s)
{
    return {
        {QStringLiteral("serviceName"), s.serviceName},
        {QStringLiteral("displayName"), s.displayName},
        {QStringLiteral("description"), s.description},
        {QStringLiteral("binaryPath"), s.binaryPath},
        {QStringLiteral("startType"), s.startType},
        {QStringLiteral("serviceType"), s.serviceType},
        {QStringLiteral("errorControl"), s.errorControl},
        {QStringLiteral("accountName"), s.accountName},
        {QStringLiteral("dependencies"), toJsonArray(s.dependencies)},
        {QStringLiteral("loadOrderGroup"), s.loadOrderGroup},
        {QStringLiteral("failureResetDays"), s.failureResetDays},
        {QStringLiteral("firstFailure"), failureActionToJson(s.firstFailure)},
        {QStringLiteral("secondFailure"), failureActionToJson(s.secondFailure)},
        {QStringLiteral("subsequentFailure"), failureActionToJson(s.subsequentFailure)},
        {QStringLiteral("failureCommand"), s.failureCommand},
        {QStringLiteral("failureCommandParams"), s.failureCommandParams},
        {QStringLiteral("failureRebootMessage"), s.failureRebootMessage},
        {QStringLiteral("sidType"), s.sidType},
        {QStringLiteral("preShutdownTimeout"), s.preShutdownTimeout},
        {QStringLiteral("requiredPrivileges"), toJsonArray(s.requiredPrivileges)},
        {QStringLiteral("launchProtected"), s.launchProtected},
    };
}

void setParseErrorPosition(const QByteArray &data, qsizetype offset, JsonReadError &error)
{
    const QByteArray before = data.left(offset);
    error.line = int(before.count('\n')) + 1;
    const qsizetype lineStart = before.lastIndexOf('\n') + 1;
    error.column = int(QString::fromUtf8(before.mid(lineStart)).size()) + 1;
}

// The file as UTF-8, as the JSON parser reads it. Windows tools write UTF-8 with a byte order
// mark, and Windows PowerShell 5.1 writes UTF-16 with one. False, with the position in error,
// for UTF-16 that does not decode.
bool toUtf8(QByteArray &data, JsonReadError &error)
{
    if (data.startsWith("\xEF\xBB\xBF")) {
        data.remove(0, 3);
        return true;
    }
    const bool littleEndian = data.startsWith("\xFF\xFE");
    if (!littleEndian && !data.startsWith("\xFE\xFF"))
        return true;

    // An odd last byte is half a code unit.
    const bool oddLength = data.size() % 2 != 0;
    QString text(data.size() / 2 - 1, Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const auto first = uchar(data.at(2 + 2 * i));
        const auto second = uchar(data.at(3 + 2 * i));
        text[i] =
            QChar(littleEndian ? char16_t(first | second << 8) : char16_t(first << 8 | second));
    }
    const qsizetype unpaired = YamlText::unpairedSurrogate(text);
    const qsizetype valid = unpaired < 0 ? text.size() : unpaired;
    data = text.toUtf8();
    if (unpaired >= 0 || oddLength) {
        error.reason = JsonReadError::Reason::NotJson;
        error.detail = QStringLiteral("invalid UTF-16 text");
        setParseErrorPosition(data, text.left(valid).toUtf8().size(), error);
        return false;
    }
    return true;
}

} // namespace

bool Ledgerwell::writeFile(const QString &path, const QByteArray &contents, QString *errorString)
{
    return AtomicFile::write(path, contents, errorString);
}

QByteArray Ledgerwell::jsonDocument(const QList<ServiceInfo> &services)
{
    QJsonArray array;
    for (const ServiceInfo &service : services)
        array.append(serviceToJson(service));
    return QJsonDocument(array).toJson(QJsonDocument::Indented);
}

BatchScript::Script Ledgerwell::batchScript(const QList<ServiceInfo> &services,
                                            const QList<int> &positions)
{
    return BatchScript::write(services, positions);
}

bool Ledgerwell::exportToJson(const QString &path, const QList<ServiceInfo> &services,
                              QString *errorString)
{
    return writeFile(path, jsonDocument(services), errorString);
}

bool Ledgerwell::exportToBatch(const QString &path, const QList<ServiceInfo> &services,
                               QString *errorString, QStringList *leftOut)
{
    const BatchScript::Script script = batchScript(services);
    if (leftOut)
        *leftOut = script.leftOut;
    if (script.isRefused()) {
        if (errorString)
            *errorString = script.refusal;
        return false;
    }
    return writeFile(path, script.bytes, errorString);
}

QList<ServiceInfo> Ledgerwell::importFromJson(const QString &path, JsonReadError *error)
{
    JsonReadError ignored;
    JsonReadError &failure = error ? *error : ignored;
    failure = {};

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        failure.reason = JsonReadError::Reason::CannotOpen;
        failure.detail = file.errorString();
        return {};
    }
    QByteArray data = file.readAll();
    if (!toUtf8(data, failure))
        return {};
    file.close();
    if (std::optional<QList<ServiceInfo>> services = JsonServiceReader::fromBytes(data))
        return *std::move(services);

    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(data, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        failure.reason = JsonReadError::Reason::NotJson;
        failure.detail = parseError.errorString();
        setParseErrorPosition(data, parseError.offset, failure);
        return {};
    }
    if (!document.isArray()) {
        failure.reason = JsonReadError::Reason::NotArray;
        return {};
    }

    // The records are made from the document alone; the bytes need not stay meanwhile.
    data = QByteArray();
    return JsonServiceReader::fromArray(document.array());
}
