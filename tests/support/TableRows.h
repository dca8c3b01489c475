#pragma once

#include <QModelIndex>
#include <QString>
#include <QStringList>
#include <Qt>

class QTableView;

// The service tables are views over their records, sorted and filtered by a proxy model: a row
// that the filter hides is not among the view's rows. Everything here reads and changes the
// rows through the view's model(), with the roles the tables' cells have.

// The service names of every row in the table's sort order, rows the filter hides included.
QStringList rowNames(const QTableView *table);
// The names of the rows the table shows, top to bottom.
QStringList visibleRowNames(const QTableView *table);
// The row the table shows the service with this name in, or -1.
int rowOf(const QTableView *table, const QString &name);

// The cell at this row and column of what the table shows.
QModelIndex cell(const QTableView *table, int row, int column);
QString cellText(const QTableView *table, int row, int column);
bool cellIsBold(const QTableView *table, int row, int column);
// The check box of the row, in column 0.
Qt::CheckState checkState(const QTableView *table, int row);
void setCheckState(QTableView *table, int row, Qt::CheckState state);
