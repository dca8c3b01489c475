#include "TableRows.h"

#include "ServiceTable.h"

#include <QTableWidget>

namespace {

QStringList names(const QTableWidget *table, bool includeHidden)
{
    QStringList result;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (includeHidden || !table->isRowHidden(row))
            result.append(table->item(row, ServiceTable::NameColumn)->text());
    }
    return result;
}

} // namespace

QStringList rowNames(const QTableWidget *table)
{
    return names(table, true);
}

QStringList visibleRowNames(const QTableWidget *table)
{
    return names(table, false);
}

int rowOf(const QTableWidget *table, const QString &name)
{
    return int(rowNames(table).indexOf(name));
}
