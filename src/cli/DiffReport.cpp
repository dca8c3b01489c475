#include "DiffReport.h"

#include "ServiceTableText.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using Status = ServiceListDiff::Entry::Status;

struct Counts
{
    int missing = 0;
    int extra = 0;
    int different = 0;
    int same = 0;
};

Counts count(const QList<ServiceListDiff::Entry> &entries)
{
    Counts counts;
    for (const ServiceListDiff::Entry &entry : entries) {
        switch (entry.status) {
        case Status::OnlyInFirst:
            ++counts.missing;
            break;
        case Status::OnlyInSecond:
            ++counts.extra;
            break;
        case Status::Different:
            ++counts.different;
            break;
        case Status::Same:
            ++counts.same;
            break;
        }
    }
    return counts;
}

QString statusWord(Status status)
{
    switch (status) {
    case Status::OnlyInFirst:
        return QStringLiteral("missing");
    case Status::OnlyInSecond:
        return QStringLiteral("extra");
    case Status::Different:
        return QStringLiteral("different");
    case Status::Same:
        break;
    }
    return QStringLiteral("same");
}

// A value between double quotes, so that an empty value and blanks at its ends can be seen.
QString quotedValue(const QString &value)
{
    return u'"' + ServiceTableText::printable(value) + u'"';
}

} // namespace

namespace DiffReport {

QString text(const QList<ServiceListDiff::Entry> &entries, const Sides &sides)
{
    const QString secondName = sides.second.isEmpty() ? QStringLiteral("installed") : sides.second;
    const qsizetype width = qMax(sides.first.size(), secondName.size()) + 1;
    QString text;
    for (const ServiceListDiff::Entry &entry : entries) {
        const QString name = ServiceTableText::printable(entry.serviceName);
        switch (entry.status) {
        case Status::Same:
            break;
        case Status::OnlyInFirst:
            text += QStringLiteral("%1: missing (only in %2)\n").arg(name, sides.first);
            break;
        case Status::OnlyInSecond:
            text += sides.second.isEmpty()
                        ? QStringLiteral("%1: extra (only installed)\n").arg(name)
                        : QStringLiteral("%1: extra (only in %2)\n").arg(name, sides.second);
            break;
        case Status::Different:
            text += QStringLiteral("%1: different\n").arg(name);
            for (const ServiceDiff::Field &field : entry.differences) {
                text += QStringLiteral("    %1\n").arg(field.label);
                text += QStringLiteral("        %1 %2\n")
                            .arg((sides.first + u':').leftJustified(width),
                                 quotedValue(field.imported));
                text +=
                    QStringLiteral("        %1 %2\n")
                        .arg((secondName + u':').leftJustified(width), quotedValue(field.current));
            }
            break;
        }
    }
    const Counts counts = count(entries);
    if (counts.missing + counts.extra + counts.different == 0) {
        text += (counts.same == 1 ? QStringLiteral("No differences (%1 service the same).\n")
                                  : QStringLiteral("No differences (%1 services the same).\n"))
                    .arg(counts.same);
    } else {
        text += QStringLiteral("%1 missing, %2 extra, %3 different, %4 the same.\n")
                    .arg(counts.missing)
                    .arg(counts.extra)
                    .arg(counts.different)
                    .arg(counts.same);
    }
    return text;
}

QByteArray json(const QList<ServiceListDiff::Entry> &entries, const Sides &sides)
{
    QJsonArray services;
    for (const ServiceListDiff::Entry &entry : entries) {
        QJsonObject service{{QStringLiteral("name"), entry.serviceName},
                            {QStringLiteral("status"), statusWord(entry.status)}};
        if (entry.status == Status::Different) {
            QJsonArray differences;
            for (const ServiceDiff::Field &field : entry.differences) {
                differences.append(QJsonObject{{QStringLiteral("field"), field.key},
                                               {QStringLiteral("label"), field.label},
                                               {QStringLiteral("first"), field.imported},
                                               {QStringLiteral("second"), field.current}});
            }
            service.insert(QStringLiteral("differences"), differences);
        }
        services.append(service);
    }
    const Counts counts = count(entries);
    const QJsonObject document{
        {QStringLiteral("first"), sides.first},
        {QStringLiteral("second"),
         sides.second.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(sides.second)},
        {QStringLiteral("identical"), ServiceListDiff::identical(entries)},
        {QStringLiteral("counts"), QJsonObject{{QStringLiteral("missing"), counts.missing},
                                               {QStringLiteral("extra"), counts.extra},
                                               {QStringLiteral("different"), counts.different},
                                               {QStringLiteral("same"), counts.same}}},
        {QStringLiteral("services"), services}};
    return QJsonDocument(document).toJson(QJsonDocument::Indented);
}

} // namespace DiffReport
