#include "ServiceListDiff.h"

#include "ServiceName.h"

#include <QHash>
#include <QList>

#include <algorithm>

namespace ServiceListDiff {

QList<Entry> compare(const QList<ServiceInfo> &first, const QList<ServiceInfo> &second)
{
    // The records of each name in the second list, in its order.
    QHash<QString, QList<int>> secondByName;
    for (int i = 0; i < second.size(); ++i)
        secondByName[ServiceName::key(second.at(i).serviceName)].append(i);
    QHash<QString, int> seenInFirst;

    QList<Entry> entries;
    entries.reserve(first.size());
    QList<bool> matched(second.size(), false);
    for (int i = 0; i < first.size(); ++i) {
        const ServiceInfo &record = first.at(i);
        Entry entry;
        entry.serviceName = record.serviceName;
        entry.firstIndex = i;
        const QString key = ServiceName::key(record.serviceName);
        const int occurrence = seenInFirst[key]++;
        const auto counterparts = secondByName.constFind(key);
        if (counterparts == secondByName.cend()) {
            entry.status = Entry::Status::OnlyInFirst;
        } else {
            // The n-th record of a name meets the n-th of the other list, so that a file
            // compared with itself is the same; records beyond the other list's meet its first.
            const QList<int> &indexes = counterparts.value();
            entry.secondIndex = indexes.value(occurrence, indexes.constFirst());
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
