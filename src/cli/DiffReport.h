#pragma once

#include "ServiceListDiff.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The two forms in which `diff` reports a comparison: readable text, and a JSON document for
// scripts (its shape is described in the README).
namespace DiffReport {

struct Sides
{
    QString first;  // the reference file, as given
    QString second; // the other file as given, or empty for the installed services
};

QString text(const QList<ServiceListDiff::Entry> &entries, const Sides &sides);
QByteArray json(const QList<ServiceListDiff::Entry> &entries, const Sides &sides);

} // namespace DiffReport
