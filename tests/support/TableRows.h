#pragma once

#include <QString>
#include <QStringList>

class QTableWidget;

// The service names of a table's rows from top to bottom, hidden rows included.
QStringList rowNames(const QTableWidget *table);
// The same, without the rows the filter hides.
QStringList visibleRowNames(const QTableWidget *table);
// The row of the service with this name, or -1.
int rowOf(const QTableWidget *table, const QString &name);
