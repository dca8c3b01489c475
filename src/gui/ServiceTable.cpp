#include "ServiceTable.h"

#include <QTableWidget>

namespace ServiceTable {

namespace {

QTableWidgetItem *textItem(const QString &text)
{
    return new QTableWidgetItem(text);
}

} // namespace

void fill(QTableWidget *table, const QList<ServiceInfo> &services)
{
    table->setSortingEnabled(false);
    table->setRowCount(int(services.size()));
    for (int row = 0; row < int(services.size()); ++row)
        setRow(table, row, services.at(row), Qt::Unchecked);
    table->setSortingEnabled(true);
}

void setRow(QTableWidget *table, int row, const ServiceInfo &service, Qt::CheckState checked)
{
    auto *check = new QTableWidgetItem;
    check->setCheckState(checked);
    check->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    table->setItem(row, CheckColumn, check);

    QTableWidgetItem *name = textItem(service.serviceName);
    if (!service.description.isEmpty())
        name->setToolTip(service.description);
    table->setItem(row, NameColumn, name);
    table->setItem(row, DisplayNameColumn, textItem(service.displayName));
    table->setItem(row, StartTypeColumn, textItem(service.startType));
    table->setItem(row, AccountColumn, textItem(service.accountName));
    table->setItem(row, BinaryPathColumn, textItem(service.binaryPath));
}

void applyFilter(QTableWidget *table, const QString &text)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        bool matches = text.isEmpty();
        for (int column = NameColumn; !matches && column < ColumnCount; ++column) {
            const QTableWidgetItem *item = table->item(row, column);
            matches = item && item->text().contains(text, Qt::CaseInsensitive);
        }
        table->setRowHidden(row, !matches);
    }
}

void uncheckAll(QTableWidget *table)
{
    for (int row = 0; row < table->rowCount(); ++row) {
        if (QTableWidgetItem *check = table->item(row, CheckColumn))
            check->setCheckState(Qt::Unchecked);
    }
}

Counts countRows(const QTableWidget *table)
{
    Counts counts;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->isRowHidden(row))
            continue;
        ++counts.visible;
        const QTableWidgetItem *check = table->item(row, CheckColumn);
        if (check && check->checkState() == Qt::Checked)
            ++counts.selected;
    }
    return counts;
}

QSet<QString> checkedNames(const QTableWidget *table)
{
    QSet<QString> names;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem *check = table->item(row, CheckColumn);
        const QTableWidgetItem *name = table->item(row, NameColumn);
        if (check && name && check->checkState() == Qt::Checked)
            names.insert(name->text());
    }
    return names;
}

QList<int> indexesNamed(const QList<ServiceInfo> &services, const QSet<QString> &names)
{
    QList<int> indexes;
    if (names.isEmpty())
        return indexes;
    for (int i = 0; i < int(services.size()); ++i) {
        if (names.contains(services.at(i).serviceName))
            indexes.append(i);
    }
    return indexes;
}

QList<ServiceInfo> recordsNamed(const QList<ServiceInfo> &services, const QSet<QString> &names)
{
    QList<ServiceInfo> result;
    const QList<int> indexes = indexesNamed(services, names);
    for (int index : indexes)
        result.append(services.at(index));
    return result;
}

} // namespace ServiceTable
