#pragma once

#include "ServiceFilter.h"

#include <QList>
#include <QSortFilterProxyModel>
#include <QString>

class ServiceTableModel;

// Sorts and filters the rows of a ServiceTableModel for its view. The filter is
// ServiceFilter::matches over the records; a click on a header sorts by the texts of that column
// as they read, letter case counting. The sort is stable, as a table of items sorts: rows that
// compare equal keep the order the table showed before, so that sorting by one column and then
// by another orders by both; after the records are set, that order is the records'. The Status
// column sorts by how much an installation would change.
class ServiceTableProxy final : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ServiceTableProxy(ServiceTableModel *model, QObject *parent = nullptr);

    const ServiceTableModel *serviceModel() const { return m_model; }
    QString filterText() const { return m_filterText; }
    void setFilterText(const QString &text);

    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    // Rows that compare equal go back to the records' order, as when the table is filled anew.
    void forgetEarlierSorts();
    // The record of every row in the order the table sorts them, rows the filter hides included.
    QList<int> recordsInOrder() const;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    // lessThan() for two records, as a sort in this order asks it: a descending sort asks whether
    // the right one sorts before the left one.
    bool sortsBefore(int leftRow, int rightRow, int column, Qt::SortOrder order) const;
    int earlierPlace(int row) const;

    ServiceTableModel *m_model = nullptr;
    QString m_filterText;
    ServiceFilter::Matcher m_matcher{QString()};
    // The place of each record in the order before the sort in force; empty for the records'
    // own order.
    QList<int> m_earlierPlaces;
};
