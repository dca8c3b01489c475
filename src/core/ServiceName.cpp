#include "ServiceName.h"

#include "ServiceInfo.h"

#include <QCoreApplication>

namespace ServiceName {

bool same(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QString key(const QString &name)
{
    return name.toCaseFolded();
}

Problem problem(const QString &name)
{
    if (name.isEmpty())
        return Problem::Empty;
    if (name.contains(QChar(u'\0')))
        return Problem::ContainsNul;
    if (name.contains(u'/') || name.contains(u'\\'))
        return Problem::ContainsSlash;
    if (name.size() > MaximumLength)
        return Problem::TooLong;
    return Problem::None;
}

QString describe(Problem problem)
{
    switch (problem) {
    case Problem::None:
        break;
    case Problem::Empty:
        return QCoreApplication::translate("ImportDialog", "has no service name");
    case Problem::ContainsNul:
        return QCoreApplication::translate("ImportDialog",
                                           "has a service name with a NUL character");
    case Problem::ContainsSlash:
        return QCoreApplication::translate("ImportDialog",
                                           "has a service name with \"/\" or \"\\\"");
    case Problem::TooLong:
        return QCoreApplication::translate("ImportDialog",
                                           "has a service name longer than %1 characters")
            .arg(MaximumLength);
    }
    return QString();
}

QString recordLabel(int position, const ServiceInfo &service)
{
    if (service.displayName.isEmpty())
        return QCoreApplication::translate("ImportDialog", "record %1 (no display name)")
            .arg(position);
    return QCoreApplication::translate("ImportDialog", "record %1 (\"%2\")")
        .arg(QString::number(position), service.displayName);
}

} // namespace ServiceName
