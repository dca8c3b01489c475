#pragma once

#include "ServiceDiff.h"
#include "ServiceInfo.h"

#include <QList>
#include <QString>

// The comparison of two whole lists of records, such as a JSON service file and the installed
// services: which services only one list has, and for those in both, every field that differs,
// by the same rules and labels as the change preview of one record.
namespace ServiceListDiff {

struct Entry
{
    enum class Status { OnlyInFirst, OnlyInSecond, Same, Different };

    Status status = Status::Same;
    QString serviceName;  // as the first list spells it, or the second for OnlyInSecond
    int firstIndex = -1;  // position in the first list, -1 for OnlyInSecond
    int secondIndex = -1; // position of the counterpart in the second list, -1 for OnlyInFirst
    // For Different: the differing fields in the preview's order, with the second list's text
    // as `current` and the first list's as `imported`.
    QList<ServiceDiff::Field> differences;
};

// One entry per record of the first list, in its order (entry i is about first[i]), then one per
// record of the second list that no record of the first list matched, in the second list's
// order. Names match without regard to case, as Windows matches them. When a name occurs more
// than once, the n-th record of it in the first list is compared with the n-th in the second;
// records of the first list beyond the second's count are compared with the second's first one
// (so two records of one name in a file are both compared with the installed service), and
// records of the second list beyond the first's count are only in the second.
QList<Entry> compare(const QList<ServiceInfo> &first, const QList<ServiceInfo> &second);

// True when no entry is anything but Same.
bool identical(const QList<Entry> &entries);

} // namespace ServiceListDiff
