#pragma once

#include "ServiceInfo.h"

#include <QList>
#include <QString>

// Field-by-field comparison of an imported record with the installed service of the same name,
// as the change preview shows it. Labels are translated in the context "ImportDialog".
namespace ServiceDiff {

struct Field
{
    QString label;
    QString current;  // the installed service's value, as text
    QString imported; // the imported record's value, as text
    QString key;      // the field's key in the JSON service file, such as "displayName"
};

// The text shown for values that are not plain texts.
QString formatList(const QStringList &entries);
QString formatFailureAction(const FailureAction &action);
QString formatResetDays(int days);
QString formatPreShutdownTimeout(int milliseconds);

// The installed record of the imported one's name, compared without regard to case as Windows
// compares service names, or nullptr.
const ServiceInfo *findInstalled(const QList<ServiceInfo> &installed, const QString &serviceName);

// All 21 fields, in the preview's order.
QList<Field> compare(const ServiceInfo &installed, const ServiceInfo &imported);
// The fields whose texts differ, in the same order.
QList<Field> differences(const ServiceInfo &installed, const ServiceInfo &imported);
// How many fields differences() lists, without building their labels.
int countDifferences(const ServiceInfo &installed, const ServiceInfo &imported);
// The fields shown for a service that is not installed: an em dash as the current value, and
// only fields whose imported text is not empty.
QList<Field> newServiceFields(const ServiceInfo &imported);

} // namespace ServiceDiff
