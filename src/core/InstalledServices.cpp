#include "InstalledServices.h"

#include "ServiceDiff.h"
#include "ServiceName.h"

#include <QCoreApplication>

#include <tuple>

InstalledServices::InstalledServices(const QList<ServiceInfo> &services)
    : m_services(services)
{
    m_indexByKey.reserve(m_services.size());
    // From the end, so that of two services Windows takes for one the first stays.
    for (qsizetype i = m_services.size() - 1; i >= 0; --i)
        m_indexByKey.insert(ServiceName::key(m_services.at(i).serviceName), i);
}

const ServiceInfo *InstalledServices::find(const QString &serviceName) const
{
    const qsizetype index = m_indexByKey.value(ServiceName::key(serviceName), -1);
    return index < 0 ? nullptr : &m_services.at(index);
}

ImportStatus ImportStatus::of(const InstalledServices &installed, const ServiceInfo &imported)
{
    const ServiceInfo *current = installed.find(imported.serviceName);
    if (!current)
        return {Kind::New, 0};
    const int count = ServiceDiff::countDifferences(*current, imported);
    return {count == 0 ? Kind::Same : Kind::Differs, count};
}

QString ImportStatus::text() const
{
    switch (kind) {
    case Kind::New:
        return QCoreApplication::translate("ImportDialog", "New");
    case Kind::Same:
        return QCoreApplication::translate("ImportDialog", "Same");
    case Kind::Differs:
        break;
    }
    return QCoreApplication::translate("ImportDialog", "Differs (%1)").arg(differences);
}

bool ImportStatus::operator<(const ImportStatus &other) const
{
    const auto rank = [](Kind of) {
        return of == Kind::Same ? 0 : of == Kind::Differs ? 1 : 2;
    };
    return std::make_tuple(rank(kind), differences)
           < std::make_tuple(rank(other.kind), other.differences);
}

bool ImportStatus::operator==(const ImportStatus &other) const
{
    return kind == other.kind && differences == other.differences;
}
