#pragma once

#include "ServiceInfo.h"
#include "ServiceTableModel.h"

#include <QList>
#include <QSet>
#include <QString>

class QTableView;
class ServiceTableProxy;

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

QList<ServiceTableModel::Field> columns();

// What both windows' tables share: whole rows selected, nothing edited in place, no row numbers,
// sorting by a click on a header with its indicator, the last column stretched, a context menu
// of the window's own.
void setUpView(QTableView *view, ServiceTableProxy *proxy);

// Fits every column to its header and to the texts of a sample of rows (the first rows, rows
// spread over the rest and the rows of each column's longest texts; never every row of a large
// table), then sets the check column to its fixed width.
void fitColumns(QTableView *view);
constexpr int CheckColumnWidth = 30;

struct Counts
{
    int visible = 0;
    int selected = 0; // checked and visible
};
Counts countRows(const ServiceTableProxy &proxy);

// The indexes of the records whose name is in names, in the records' order.
QList<int> indexesNamed(const QList<ServiceInfo> &services, const QSet<QString> &names);
// The records whose name is in names, in the records' order.
QList<ServiceInfo> recordsNamed(const QList<ServiceInfo> &services, const QSet<QString> &names);

} // namespace ServiceTable

// The import dialog's table: the main window's columns with the status against the installed
// service after the name.
namespace ImportTable {

enum Column {
    CheckColumn,
    NameColumn,
    StatusColumn,
    DisplayNameColumn,
    StartTypeColumn,
    AccountColumn,
    BinaryPathColumn,
    ColumnCount
};

QList<ServiceTableModel::Field> columns();

} // namespace ImportTable
