#include "ServiceTableModel.h"

#include "ServiceName.h"

#include <QCoreApplication>

namespace {

// Why the record cannot be installed, before its description.
QString unusableNameTip(ServiceName::Problem problem, const QString &description)
{
    QString tip =
        QCoreApplication::translate("ImportDialog", "This record %1 and cannot be installed.")
            .arg(ServiceName::describe(problem));
    if (!description.isEmpty())
        tip += QStringLiteral("\n\n") + description;
    return tip;
}

} // namespace

ServiceTableModel::ServiceTableModel(const QList<Field> &columns, QObject *parent)
    : QAbstractTableModel(parent)
    , m_columns(columns)
{
}

void ServiceTableModel::setHeaderLabels(const QStringList &labels)
{
    m_headerLabels = labels;
    emit headerDataChanged(Qt::Horizontal, 0, int(m_columns.size()) - 1);
}

void ServiceTableModel::setRecords(const QList<ServiceInfo> &records, Qt::CheckState state)
{
    beginResetModel();
    m_records = records;
    m_checkStates = QList<quint8>(records.size(), quint8(state));
    m_statuses.clear();
    endResetModel();
}

void ServiceTableModel::setRecord(int row, const ServiceInfo &record)
{
    m_records[row] = record;
    emit dataChanged(index(row, 0), index(row, columnCount() - 1));
}

void ServiceTableModel::setAllChecked(Qt::CheckState state)
{
    int first = -1;
    int last = -1;
    for (int row = 0; row < m_checkStates.size(); ++row) {
        if (m_checkStates.at(row) == quint8(state))
            continue;
        m_checkStates[row] = quint8(state);
        if (first < 0)
            first = row;
        last = row;
    }
    const int column = int(m_columns.indexOf(Field::Check));
    if (first >= 0 && column >= 0)
        emit dataChanged(index(first, column), index(last, column), {Qt::CheckStateRole});
}

QSet<QString> ServiceTableModel::checkedNames() const
{
    QSet<QString> names;
    for (int row = 0; row < m_records.size(); ++row) {
        if (m_checkStates.at(row) == quint8(Qt::Checked))
            names.insert(m_records.at(row).serviceName);
    }
    return names;
}

void ServiceTableModel::setUnusableNameMark(const QIcon &icon)
{
    m_unusableNameIcon = icon;
    m_marksUnusableNames = true;
    const int column = int(m_columns.indexOf(Field::Name));
    if (column >= 0 && !m_records.isEmpty())
        emit dataChanged(index(0, column), index(rowCount() - 1, column),
                         {Qt::DecorationRole, Qt::ToolTipRole, UnusableNameRole});
}

void ServiceTableModel::setBoldNames(const QSet<QString> &names, const QFont &bold)
{
    QList<int> changed;
    for (int row = 0; row < m_records.size(); ++row) {
        const QString &name = m_records.at(row).serviceName;
        if (m_boldNames.contains(name) != names.contains(name) || m_boldFont != bold)
            changed.append(row);
    }
    m_boldNames = names;
    m_boldFont = bold;
    reportRows(changed, 0, columnCount() - 1, {Qt::FontRole});
}

void ServiceTableModel::setStatuses(const QList<ImportStatus> &statuses)
{
    QList<int> changed;
    for (int row = 0; row < m_records.size(); ++row) {
        if (!(m_statuses.value(row) == statuses.value(row)) || row >= m_statuses.size())
            changed.append(row);
    }
    m_statuses = statuses;
    const int column = int(m_columns.indexOf(Field::Status));
    if (column >= 0)
        reportRows(changed, column, column, {Qt::DisplayRole});
}

void ServiceTableModel::setStatus(int row, const ImportStatus &status)
{
    if (m_statuses.size() < m_records.size())
        m_statuses.resize(m_records.size());
    if (m_statuses.at(row) == status)
        return;
    m_statuses[row] = status;
    const int column = int(m_columns.indexOf(Field::Status));
    if (column >= 0)
        emit dataChanged(index(row, column), index(row, column), {Qt::DisplayRole});
}

const QString &ServiceTableModel::text(int row, Field field) const
{
    static const QString none;
    const ServiceInfo &service = m_records.at(row);
    switch (field) {
    case Field::Name:
        return service.serviceName;
    case Field::DisplayName:
        return service.displayName;
    case Field::StartType:
        return service.startType;
    case Field::Account:
        return service.accountName;
    case Field::BinaryPath:
        return service.binaryPath;
    case Field::Check:
    case Field::Status:
        break;
    }
    return none;
}

int ServiceTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int ServiceTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant ServiceTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const int row = index.row();
    const Field column = m_columns.at(index.column());
    if (role == Qt::FontRole)
        return isBold(row) ? QVariant(m_boldFont) : QVariant();

    switch (column) {
    case Field::Check:
        return role == Qt::CheckStateRole ? QVariant(int(m_checkStates.at(row))) : QVariant();
    case Field::Status:
        if (role == Qt::DisplayRole || role == Qt::EditRole)
            return row < m_statuses.size() ? m_statuses.at(row).text() : QString();
        return QVariant();
    case Field::Name: {
        if (role == Qt::UserRole)
            return row;
        const ServiceInfo &service = m_records.at(row);
        const ServiceName::Problem problem = m_marksUnusableNames
                                                 ? ServiceName::problem(service.serviceName)
                                                 : ServiceName::Problem::None;
        if (role == UnusableNameRole)
            return problem != ServiceName::Problem::None;
        if (role == Qt::DecorationRole && problem != ServiceName::Problem::None)
            return m_unusableNameIcon;
        if (role == Qt::ToolTipRole) {
            if (problem != ServiceName::Problem::None)
                return unusableNameTip(problem, service.description);
            return service.description.isEmpty() ? QVariant() : QVariant(service.description);
        }
        break;
    }
    case Field::DisplayName:
    case Field::StartType:
    case Field::Account:
    case Field::BinaryPath:
        break;
    }
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return text(row, column);
    return QVariant();
}

bool ServiceTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid)
        || role != Qt::CheckStateRole || m_columns.at(index.column()) != Field::Check) {
        return false;
    }
    bool ok = false;
    const int state = value.toInt(&ok);
    if (!ok || state < Qt::Unchecked || state > Qt::Checked)
        return false;
    if (m_checkStates.at(index.row()) != quint8(state)) {
        m_checkStates[index.row()] = quint8(state);
        emit dataChanged(index, index, {Qt::CheckStateRole});
    }
    return true;
}

Qt::ItemFlags ServiceTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    if (m_columns.at(index.column()) == Field::Check)
        return Qt::ItemIsUserCheckable | Qt::ItemIsEnabled; // checked, never selected
    // The flags a table item has by default, as the tables' cells always had. Nothing is edited
    // all the same: the views take no edit triggers, and setData() takes only the check marks.
    return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled
           | Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
}

QVariant ServiceTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return m_headerLabels.value(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool ServiceTableModel::isBold(int row) const
{
    return !m_boldNames.isEmpty() && m_boldNames.contains(m_records.at(row).serviceName);
}

void ServiceTableModel::reportRows(const QList<int> &rows, int firstColumn, int lastColumn,
                                   const QList<int> &roles)
{
    // One signal per run of neighbouring rows.
    for (qsizetype i = 0; i < rows.size();) {
        qsizetype end = i;
        while (end + 1 < rows.size() && rows.at(end + 1) == rows.at(end) + 1)
            ++end;
        emit dataChanged(index(rows.at(i), firstColumn), index(rows.at(end), lastColumn), roles);
        i = end + 1;
    }
}
