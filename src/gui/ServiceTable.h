#pragma once

#include "ServiceInfo.h"

#include <QList>
#include <QSet>
#include <QString>
#include <Qt>

class QTableWidget;

// The main window's table of installed services: one row per record, tied to its record only by
// the service name, since the user sorts the rows.
namespace ServiceTable {

enum Column {
    CheckColumn,
    NameColumn,
    DisplayNameColumn,
    StartTypeColumn,
    AccountColumn,
    BinaryPathColumn,
    ColumnCount
};

// Replaces the rows with one unchecked row per record, in the records' order.
void fill(QTableWidget *table, const QList<ServiceInfo> &services);

// Puts the cells of one record into the row: the check box, the name with the description as
// its tool tip, and the four other columns.
void setRow(QTableWidget *table, int row, const ServiceInfo &service, Qt::CheckState checked);

// Shows the rows with a cell text (check column aside) containing text, ignoring case; an empty
// text shows every row. Check marks are left as they are.
void applyFilter(QTableWidget *table, const QString &text);

// Clears the check mark of every row, hidden rows too.
void uncheckAll(QTableWidget *table);

struct Counts
{
    int visible = 0;
    int selected = 0; // checked and visible
};
Counts countRows(const QTableWidget *table);

// The names of the checked rows, hidden rows included.
QSet<QString> checkedNames(const QTableWidget *table);

// The indexes of the records whose name is in names, in the records' order.
QList<int> indexesNamed(const QList<ServiceInfo> &services, const QSet<QString> &names);
// The records whose name is in names, in the records' order.
QList<ServiceInfo> recordsNamed(const QList<ServiceInfo> &services, const QSet<QString> &names);

} // namespace ServiceTable
