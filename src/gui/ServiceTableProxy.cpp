#include "ServiceTableProxy.h"

#include "ServiceTableModel.h"

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

bool ServiceTableProxy::filterAcceptsRow(int sourceRow, const QModelIndex & /*sourceParent*/) const
{
    return m_matcher.matches(m_model->record(sourceRow));
}

bool ServiceTableProxy::lessThan(const QModelIndex &left, const QModelIndex &right) const
{
    const int leftRow = left.row();
    const int rightRow = right.row();
    const ServiceTableModel::Field field = m_model->field(left.column());
    if (field == ServiceTableModel::Field::Status) {
        const ImportStatus a = m_model->status(leftRow);
        const ImportStatus b = m_model->status(rightRow);
        if (a < b || b < a)
            return a < b;
    } else {
        const int order = m_model->text(leftRow, field).compare(m_model->text(rightRow, field));
        if (order != 0)
            return order < 0;
    }
    // Equal rows keep the records' order whichever way the column is sorted: the proxy sorts
    // descending by asking lessThan(right, left).
    return sortOrder() == Qt::AscendingOrder ? leftRow < rightRow : leftRow > rightRow;
}
