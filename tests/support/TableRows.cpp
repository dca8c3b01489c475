#include "TableRows.h"

#include "ServiceTable.h"
#include "ServiceTableModel.h"
#include "ServiceTableProxy.h"

#include <QFont>
#include <QTableView>

namespace {

QStringList names(const QAbstractItemModel *model)
{
    QStringList result;
    for (int row = 0; row < model->rowCount(); ++row)
        result.append(model->index(row, ServiceTable::NameColumn).data().toString());
    return result;
}

} // namespace

QStringList rowNames(const QTableView *table)
{
    const auto *proxy = qobject_cast<const ServiceTableProxy *>(table->model());
    if (!proxy)
        return names(table->model());
    QStringList result;
    for (const int row : proxy->recordsInOrder())
        result.append(proxy->serviceModel()->record(row).serviceName);
    return result;
}

QStringList visibleRowNames(const QTableView *table)
{
    return names(table->model());
}

int rowOf(const QTableView *table, const QString &name)
{
    return int(visibleRowNames(table).indexOf(name));
}

QModelIndex cell(const QTableView *table, int row, int column)
{
    return table->model()->index(row, column);
}

QString cellText(const QTableView *table, int row, int column)
{
    return cell(table, row, column).data(Qt::DisplayRole).toString();
}

bool cellIsBold(const QTableView *table, int row, int column)
{
    return cell(table, row, column).data(Qt::FontRole).value<QFont>().bold();
}

Qt::CheckState checkState(const QTableView *table, int row)
{
    return Qt::CheckState(
        cell(table, row, ServiceTable::CheckColumn).data(Qt::CheckStateRole).toInt());
}

void setCheckState(QTableView *table, int row, Qt::CheckState state)
{
    table->model()->setData(cell(table, row, ServiceTable::CheckColumn), int(state),
                            Qt::CheckStateRole);
}
