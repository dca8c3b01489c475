#include "ServiceListDiff.h"

#include "ServiceName.h"

#include <QHash>
#include <QList>

#include <algorithm>

namespace ServiceListDiff {

QList<Entry> compare(const QList<ServiceInfo> &first, const QList<ServiceInfo> &second)
{
    QHash<QString, int> secondByName;
    for (int i = int(second.size()) - 1; i >= 0; --i)
        secondByName.insert(ServiceName::key(second.at(i).serviceName), i);

    QList<Entry> entries;
    entries.reserve(first.size());
    QList<bool> matched(second.size(), false);
    for (int i = 0; i < first.size(); ++i) {
        const ServiceInfo &record = first.at(i);
        Entry entry;
        entry.serviceName = record.serviceName;
        entry.firstIndex = i;
        const auto counterpart = secondByName.constFind(ServiceName::key(record.serviceName));
        if (counterpart == secondByName.cend()) {
            entry.status = Entry::Status::OnlyInFirst;
        } else {
            entry.secondIndex = counterpart.value();
            matched[entry.secondIndex] = true;
            entry.differences = ServiceDiff::differences(second.at(entry.secondIndex), record);
            entry.status =
                entry.differences.isEmpty() ? Entry::Status::Same : Entry::Status::Different;
        }
        entries.append(entry);
    }
    for (int i = 0; i < second.size(); ++i) {
        if (matched.at(i))
            continue;
        Entry entry;
        entry.status = Entry::Status::OnlyInSecond;
        entry.serviceName = second.at(i).serviceName;
        entry.secondIndex = i;
        entries.append(entry);
    }
    return entries;
}

bool identical(const QList<Entry> &entries)
{
    return std::all_of(entries.cbegin(), entries.cend(),
                       [](const Entry &entry) { return entry.status == Entry::Status::Same; });
}

} // namespace ServiceListDiff
