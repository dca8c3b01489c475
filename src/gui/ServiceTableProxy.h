#pragma once

#include "ServiceFilter.h"

#include <QSortFilterProxyModel>
#include <QString>

class ServiceTableModel;

// Sorts and filters the rows of a ServiceTableModel for its view. The filter is
// ServiceFilter::matches over the records; a click on a header sorts by the texts of that column
// as they read, letter case counting, and rows that compare equal keep the records' order in
// either direction. The Status column sorts by how much an installation would change.
class ServiceTableProxy final : public QSortFilterProxyModel
{
    Q_OBJECT

public:
    explicit ServiceTableProxy(ServiceTableModel *model, QObject *parent = nullptr);

    const ServiceTableModel *serviceModel() const { return m_model; }
    QString filterText() const { return m_filterText; }
    void setFilterText(const QString &text);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex &sourceParent) const override;
    bool lessThan(const QModelIndex &left, const QModelIndex &right) const override;

private:
    ServiceTableModel *m_model = nullptr;
    QString m_filterText;
    ServiceFilter::Matcher m_matcher{QString()};
};
