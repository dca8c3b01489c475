#pragma once

#include "InstalledServices.h"
#include "ServiceInfo.h"

#include <QAbstractTableModel>
#include <QFont>
#include <QIcon>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// The records under a service table: one row per record in the records' order, a check box in
// front, and the record's fields in the columns the table lays out. Both windows' tables use it;
// a QSortFilterProxyModel (ServiceTableProxy) sorts and filters the rows for the view.
//
// Roles, as the tables have always had them: the check box under Qt::CheckStateRole, flags
// exactly user-checkable and enabled; the name with the record's index under Qt::UserRole and
// the description (when there is one) as tool tip; every cell of a row whose name is marked
// bold has the bold font under Qt::FontRole; where the table marks them, names that Windows would
// not accept carry a warning icon and the reason.
class ServiceTableModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum class Field { Check, Name, Status, DisplayName, StartType, Account, BinaryPath };
    // Set (true) on the name cell of a record whose service name Windows would not accept.
    static constexpr int UnusableNameRole = Qt::UserRole + 1;

    explicit ServiceTableModel(const QList<Field> &columns, QObject *parent = nullptr);

    Field field(int column) const { return m_columns.at(column); }
    void setHeaderLabels(const QStringList &labels);

    // Replaces the records; every row starts with this check state.
    void setRecords(const QList<ServiceInfo> &records, Qt::CheckState state);
    const QList<ServiceInfo> &records() const { return m_records; }
    const ServiceInfo &record(int row) const { return m_records.at(row); }
    void setRecord(int row, const ServiceInfo &record);

    Qt::CheckState checkState(int row) const { return Qt::CheckState(m_checkStates.at(row)); }
    // Sets every row, reporting the rows that change in one signal.
    void setAllChecked(Qt::CheckState state);
    // The names of the checked rows.
    QSet<QString> checkedNames() const;

    // From now on the name of a record that Windows would not accept as a service name shows
    // this icon, the reason as its tool tip, and UnusableNameRole.
    void setUnusableNameMark(const QIcon &icon);
    // Rows whose service name is in names show every cell in the bold font.
    void setBoldNames(const QSet<QString> &names, const QFont &bold);
    // The Status column's value of each record, in the records' order.
    void setStatuses(const QList<ImportStatus> &statuses);
    void setStatus(int row, const ImportStatus &status);
    ImportStatus status(int row) const { return m_statuses.value(row); }

    // The text of a cell as it is shown and sorted; the check box and the status have none here.
    const QString &text(int row, Field field) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    bool isBold(int row) const;
    void reportRows(const QList<int> &rows, int firstColumn, int lastColumn,
                    const QList<int> &roles);

    QList<Field> m_columns;
    QStringList m_headerLabels;
    QList<ServiceInfo> m_records;
    QList<quint8> m_checkStates; // Qt::CheckState per record
    QList<ImportStatus> m_statuses;
    QSet<QString> m_boldNames;
    QFont m_boldFont;
    QIcon m_unusableNameIcon;
    bool m_marksUnusableNames = false;
};
