#include "ServiceTable.h"

#include "ServiceTableProxy.h"

#include <QHeaderView>
#include <QTableView>

#include <algorithm>

namespace {

using Field = ServiceTableModel::Field;

// Enough rows for the widths to fit what a table holds, few enough to stay quick at any size.
constexpr int LeadingSampleRows = 50;
constexpr int SpreadSampleRows = 150;

QList<int> sampleRows(int rowCount)
{
    QList<int> rows;
    for (int row = 0; row < std::min(rowCount, LeadingSampleRows); ++row)
        rows.append(row);
    const int rest = rowCount - int(rows.size());
    if (rest <= 0)
        return rows;
    const int step = std::max(1, rest / SpreadSampleRows);
    for (int row = int(rows.size()); row < rowCount; row += step)
        rows.append(row);
    return rows;
}

// The records with the longest texts in a column, longest first. The widest text is almost always
// among them, wherever it stands: comparing lengths costs little, measuring a text much more.
constexpr int LongestTextRows = 10;

QList<int> longestTextRecords(const ServiceTableModel &model, int column)
{
    const Field field = model.field(column);
    QList<std::pair<qsizetype, int>> longest; // length and record, longest first
    for (int row = 0; row < model.rowCount(); ++row) {
        const qsizetype length = model.text(row, field).size();
        if (length == 0 || (longest.size() == LongestTextRows && length <= longest.last().first))
            continue;
        const auto place =
            std::find_if(longest.begin(), longest.end(),
                         [length](const auto &entry) { return entry.first < length; });
        longest.insert(place, {length, row});
        if (longest.size() > LongestTextRows)
            longest.removeLast();
    }
    QList<int> records;
    for (const auto &entry : std::as_const(longest))
        records.append(entry.second);
    return records;
}

} // namespace

namespace ServiceTable {

QList<ServiceTableModel::Field> columns()
{
    return {Field::Check,     Field::Name,    Field::DisplayName,
            Field::StartType, Field::Account, Field::BinaryPath};
}

void setUpView(QTableView *view, ServiceTableProxy *proxy)
{
    view->setModel(proxy);
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setSortIndicatorShown(true);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->verticalHeader()->hide();
    view->setSortingEnabled(true);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
}

void fitColumns(QTableView *view)
{
    const QAbstractItemModel *model = view->model();
    const auto *proxy = qobject_cast<const ServiceTableProxy *>(model);
    QHeaderView *header = view->horizontalHeader();
    const QList<int> rows = sampleRows(model->rowCount());
    for (int column = 0; column < model->columnCount(); ++column) {
        int width = 0;
        const auto measure = [&](const QModelIndex &index) {
            width = std::max(width, view->sizeHintForIndex(index).width());
        };
        for (const int row : rows)
            measure(model->index(row, column));
        if (proxy) {
            const ServiceTableModel &records = *proxy->serviceModel();
            // Rows the filter hides are left out, as Qt's own fitting leaves them out.
            for (const int record : longestTextRecords(records, column))
                measure(proxy->mapFromSource(records.index(record, column)));
        }
        // As QTableView::resizeColumnToContents: the grid line, and never narrower than the header.
        if (view->showGrid())
            ++width;
        header->resizeSection(column, std::max(width, header->sectionSizeHint(column)));
    }
    view->setColumnWidth(CheckColumn, CheckColumnWidth);
}

Counts countRows(const ServiceTableProxy &proxy)
{
    Counts counts;
    counts.visible = proxy.rowCount();
    const ServiceTableModel *model = proxy.serviceModel();
    for (int row = 0; row < counts.visible; ++row) {
        if (model->checkState(proxy.mapToSource(proxy.index(row, 0)).row()) == Qt::Checked)
            ++counts.selected;
    }
    return counts;
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

namespace ImportTable {

QList<ServiceTableModel::Field> columns()
{
    return {Field::Check,     Field::Name,    Field::Status,    Field::DisplayName,
            Field::StartType, Field::Account, Field::BinaryPath};
}

} // namespace ImportTable
