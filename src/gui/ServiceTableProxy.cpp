#include "ServiceTableProxy.h"

#include "ServiceTableModel.h"

#include <algorithm>
#include <numeric>

namespace {

// No model reports this role: only a changed record (all roles) has the filter look again, not a
// check mark, a bold row or a status.
constexpr int RecordRole = Qt::UserRole + 100;

} // namespace

ServiceTableProxy::ServiceTableProxy(ServiceTableModel *model, QObject *parent)
    : QSortFilterProxyModel(parent)
    , m_model(model)
{
    setFilterRole(RecordRole);
    // Before the proxy maps the new records, which are in their own order.
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { m_earlierPlaces.clear(); });
    setSourceModel(model);
}

void ServiceTableProxy::setFilterText(const QString &text)
{
    if (text == m_filterText)
        return;
    m_filterText = text;
    m_matcher = ServiceFilter::Matcher(text);
    // Maps every row anew in one layout change. Filtering in place would report each run of
    // rows that go or come on its own, and each report costs the proxy a pass over all rows.
    invalidate();
}

void ServiceTableProxy::sort(int column, Qt::SortOrder order)
{
    if (column == sortColumn() && order == sortOrder())
        return;
    if (sortColumn() >= 0) {
        const QList<int> rows = recordsInOrder();
        m_earlierPlaces = QList<int>(rows.size());
        for (int place = 0; place < int(rows.size()); ++place)
            m_earlierPlaces[rows.at(place)] = place;
    }
    QSortFilterProxyModel::sort(column, order);
}

void ServiceTableProxy::forgetEarlierSorts()
{
    m_earlierPlaces.clear();
    invalidate();
}

QList<int> ServiceTableProxy::recordsInOrder() const
{
    QList<int> rows(m_model->rowCount());
    std::iota(rows.begin(), rows.end(), 0);
    const int column = sortColumn();
    if (column < 0)
        return rows;
    const Qt::SortOrder order = sortOrder();
    std::sort(rows.begin(), rows.end(), [this, column, order](int left, int right) {
        return order == Qt::AscendingOrder ? sortsBefore(left, right, column, order)
                                           : sortsBefore(right, left, column, order);
    });
    return rows;
}

bool ServiceTableProxy::filterAcceptsRow(int sourceRow, const QModelIndex & /*sourceParent*/) const
{
    return m_matcher.matches(m_model->record(sourceRow));
}

bool ServiceTableProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    return sortsBefore(left.row(), right.row(), left.column(), sortOrder());
}

bool ServiceTableProxy::sortsBefore(int leftRow, int rightRow, int column,
                                    Qt::SortOrder order) const
{
    const ServiceTableModel::Field field = m_model->field(column);
    if (field == ServiceTableModel::Field::Status) {
        const ImportStatus a = m_model->status(leftRow);
        const ImportStatus b = m_model->status(rightRow);
        if (a < b || b < a)
            return a < b;
    } else {
        const int comparison =
            m_model->text(leftRow, field).compare(m_model->text(rightRow, field));
        if (comparison != 0)
            return comparison < 0;
    }
    // Equal rows keep their earlier order whichever way the column is sorted: a descending sort
    // asks whether right sorts before left.
    const int leftPlace = earlierPlace(leftRow);
    const int rightPlace = earlierPlace(rightRow);
    return order == Qt::AscendingOrder ? leftPlace < rightPlace : leftPlace > rightPlace;
}

int ServiceTableProxy::earlierPlace(int row) const
{
    return m_earlierPlaces.size() == m_model->rowCount() ? m_earlierPlaces.at(row) : row;
}
