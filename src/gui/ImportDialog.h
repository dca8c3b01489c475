#pragma once

#include "Installation.h"
#include "InstalledServices.h"
#include "ServiceInfo.h"
#include "ServiceTableModel.h"

#include <QDialog>
#include <QFont>
#include <QList>
#include <QSet>
#include <QString>

class QLineEdit;
class QPoint;
class QTableView;
class ServiceTableProxy;

// The imported services of one JSON service file: checked, edited, previewed against the
// installed services, exported as a batch script or installed. Works on its own copy of the
// records; nothing flows back to the caller.
class ImportDialog : public QDialog
{
    Q_OBJECT

public:
    // Set (true) on the name cell of a record whose service name Windows would not accept.
    static constexpr int UnusableNameRole = ServiceTableModel::UnusableNameRole;

    explicit ImportDialog(const QList<ServiceInfo> &services, QWidget *parent = nullptr);

    // The checked records, hidden rows included, in file order whatever the table's sort order.
    QList<ServiceInfo> checkedServices() const;

private slots:
    void onCellDoubleClicked(int row, int column);
    void onExportBatch();
    void onInstallServices();
    void onPreview();
    void onFilterChanged(const QString &text);
    void onSelectNone();
    void onContextMenu(const QPoint &pos);

private:
    void populateTable();
    // Shows the record at index as the editor left it: its row, every check box checked again,
    // the bold rows, its status.
    void refreshAfterEdit(int index);
    // The Status column against the dialog's reading of the installed services.
    void updateStatuses();
    QFont boldFont() const;
    void editService(int index);
    void showDiff(int index);
    // The checked records with their positions in the file, in file order.
    QList<Installation::Item> checkedItems() const;
    // The record index stored in the row, or -1 when the row has none in range.
    int recordIndexOfRow(int row) const;

    QLineEdit *m_filterEdit = nullptr;
    QTableView *m_table = nullptr;
    ServiceTableModel *m_model = nullptr;
    ServiceTableProxy *m_proxy = nullptr;
    QList<ServiceInfo> m_services;
    QSet<QString> m_editedServices;
    // The installed services as read when the dialog opened, or after its last installation.
    InstalledServices m_installed;
};
