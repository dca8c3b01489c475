#include "ImportDialog.h"

#include "BatchExportCommand.h"
#include "ChangePreviewDialog.h"
#include "FileDialog.h"
#include "Installation.h"
#include "InstalledReading.h"
#include "InstalledServices.h"
#include "Ledgerwell.h"
#include "MessageBox.h"
#include "ServiceDiff.h"
#include "ServicePropertiesDialog.h"
#include "ServiceTable.h"
#include "ServiceTableModel.h"
#include "ServiceTableProxy.h"

#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

ImportDialog::ImportDialog(const QList<ServiceInfo> &services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
    , m_installed(InstalledReading::read())
{
    setWindowTitle(tr("Import Services"));
    resize(950, 550);

    auto *layout = new QVBoxLayout(this);

    m_filterEdit = new QLineEdit(this);
    m_filterEdit->setObjectName(QStringLiteral("filterEdit"));
    m_filterEdit->setPlaceholderText(tr("Filter services..."));
    m_filterEdit->setClearButtonEnabled(true);
    connect(m_filterEdit, &QLineEdit::textChanged, this, &ImportDialog::onFilterChanged);
    layout->addWidget(m_filterEdit);

    // Filled before the view sees it, so that nothing is sorted or filtered twice.
    m_model = new ServiceTableModel(ImportTable::columns(), this);
    m_model->setHeaderLabels({QString(), tr("Name"), tr("Status"), tr("Display Name"),
                              tr("Start Type"), tr("Account"), tr("Binary Path")});
    populateTable();
    m_proxy = new ServiceTableProxy(m_model, this);
    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("serviceTable"));
    ServiceTable::setUpView(m_table, m_proxy);
    connect(m_table, &QWidget::customContextMenuRequested, this, &ImportDialog::onContextMenu);
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex &index) { onCellDoubleClicked(index.row(), index.column()); });
    layout->addWidget(m_table);
    ServiceTable::fitColumns(m_table);

    auto *hint = new QLabel(tr("Double-click a row to edit. Edited rows are shown in bold."), this);
    hint->setStyleSheet(QStringLiteral("color: gray;"));
    layout->addWidget(hint);

    auto *buttons = new QHBoxLayout;
    auto addButton = [this, buttons](const QString &text, const char *name) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        buttons->addWidget(button);
        return button;
    };
    QPushButton *selectNone = addButton(tr("Deselect All"), "selectNoneButton");
    QPushButton *preview = addButton(tr("Preview Changes"), "previewButton");
    buttons->addStretch();
    QPushButton *exportBatch = addButton(tr("Generate .bat Script"), "exportBatchButton");
    QPushButton *install = addButton(tr("Install Services"), "installButton");
    QPushButton *close = addButton(tr("Close"), "closeButton");
    connect(selectNone, &QPushButton::clicked, this, &ImportDialog::onSelectNone);
    connect(preview, &QPushButton::clicked, this, &ImportDialog::onPreview);
    connect(exportBatch, &QPushButton::clicked, this, &ImportDialog::onExportBatch);
    connect(install, &QPushButton::clicked, this, &ImportDialog::onInstallServices);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(buttons);
}

QList<ServiceInfo> ImportDialog::checkedServices() const
{
    // By name, as the main window does: two records of one name go together.
    return ServiceTable::recordsNamed(m_services, m_model->checkedNames());
}

QList<Installation::Item> ImportDialog::checkedItems() const
{
    QList<Installation::Item> items;
    const QList<int> indexes = ServiceTable::indexesNamed(m_services, m_model->checkedNames());
    for (int index : indexes)
        items.append({index + 1, m_services.at(index)});
    return items;
}

void ImportDialog::populateTable()
{
    m_model->setRecords(m_services, Qt::Checked);
    m_model->setUnusableNameMark(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    m_model->setBoldNames(m_editedServices, boldFont());
    updateStatuses();
}

void ImportDialog::refreshAfterEdit(int index)
{
    m_model->setRecord(index, m_services.at(index));
    // As a table filled anew: rows that compare equal in the sort column stand in file order.
    m_proxy->forgetEarlierSorts();
    m_model->setAllChecked(Qt::Checked);
    m_model->setBoldNames(m_editedServices, boldFont());
    m_model->setStatus(index, ImportStatus::of(m_installed, m_services.at(index)));
    ServiceTable::fitColumns(m_table);
}

void ImportDialog::updateStatuses()
{
    QList<ImportStatus> statuses;
    statuses.reserve(m_services.size());
    for (const ServiceInfo &service : std::as_const(m_services))
        statuses.append(ImportStatus::of(m_installed, service));
    m_model->setStatuses(statuses);
}

QFont ImportDialog::boldFont() const
{
    // The table's own font, bold; the table does not exist yet while the constructor fills it.
    QFont bold = m_table ? m_table->font() : font();
    bold.setWeight(QFont::Bold);
    return bold;
}

int ImportDialog::recordIndexOfRow(int row) const
{
    const QModelIndex name = m_proxy->index(row, ImportTable::NameColumn);
    if (!name.isValid())
        return -1;
    const int index = name.data(Qt::UserRole).toInt();
    return index >= 0 && index < m_services.size() ? index : -1;
}

void ImportDialog::onCellDoubleClicked(int row, int /*column*/)
{
    const QModelIndex name = m_proxy->index(row, ImportTable::NameColumn);
    if (name.isValid())
        editService(name.data(Qt::UserRole).toInt());
}

void ImportDialog::onExportBatch()
{
    // Each with its position in the file, by which records left out are named.
    QList<ServiceInfo> services;
    QList<int> positions;
    for (const Installation::Item &item : checkedItems()) {
        services.append(item.service);
        positions.append(item.position);
    }
    if (services.isEmpty()) {
        MessageBox::warning(this, tr("Export"), tr("No services selected."));
        return;
    }
    const QString fileName =
        FileDialog::getSaveFileName(this, tr("Save Batch Script"), tr("Batch Files (*.bat)"));
    if (fileName.isEmpty())
        return;
    BatchExportCommand::run(this, fileName, services, positions);
}

void ImportDialog::onPreview()
{
    const int row = m_table->currentIndex().row();
    if (row < 0) {
        MessageBox::warning(this, tr("Preview"), tr("Please select a service first."));
        return;
    }
    const int index = recordIndexOfRow(row);
    if (index >= 0)
        showDiff(index);
}

void ImportDialog::onFilterChanged(const QString &text)
{
    m_proxy->setFilterText(text);
}

void ImportDialog::onSelectNone()
{
    m_model->setAllChecked(Qt::Unchecked);
}

void ImportDialog::onContextMenu(const QPoint &pos)
{
    const int row = m_table->rowAt(pos.y());
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("rowMenu"));
    const int index = recordIndexOfRow(row);
    if (index >= 0) {
        menu.addAction(tr("Edit..."), this, [this, index] { editService(index); });
        menu.addAction(tr("Preview Changes..."), this, [this, index] { showDiff(index); });
        menu.addSeparator();
    }
    menu.addAction(tr("Deselect All"), this, &ImportDialog::onSelectNone);
    menu.exec(m_table->viewport()->mapToGlobal(pos));
}

void ImportDialog::editService(int index)
{
    if (index < 0 || index >= m_services.size())
        return;

    ServicePropertiesDialog editor(m_services.at(index), this);
    if (editor.exec() != QDialog::Accepted)
        return;

    ServiceInfo &service = m_services[index];
    editor.writeTo(service);
    m_editedServices.insert(service.serviceName);
    refreshAfterEdit(index);
}

void ImportDialog::showDiff(int index)
{
    // The reading the Status column shows, so that "Same" there means no difference here.
    const ServiceInfo &imported = m_services.at(index);
    ChangePreviewDialog preview(m_installed.find(imported.serviceName), imported, this);
    preview.exec();
}

void ImportDialog::onInstallServices()
{
    QProgressDialog progress(tr("Installing services..."), tr("Cancel"), 0, int(m_services.size()),
                             this);
    progress.setObjectName(QStringLiteral("installProgress"));
    progress.setWindowModality(Qt::WindowModal);
    // Shown from the first query on: a slow tool must not leave the window frozen.
    progress.setMinimumDuration(0);

    Installation::Hooks hooks;
    hooks.confirmReplace = [this](const QStringList &names, const QString &backupPath) {
        return MessageBox::warningWithList(
                   this, tr("Services already exist"),
                   tr("The following services already exist and will be deleted and recreated:"),
                   names,
                   tr("Their current configuration will be saved to:\n%1\n\nContinue?")
                       .arg(QDir::toNativeSeparators(backupPath)),
                   QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
               == QMessageBox::Yes;
    };
    hooks.progress = [&progress](const Installation::Progress &step) {
        progress.setMaximum(step.count);
        progress.setValue(step.index);
        switch (step.phase) {
        case Installation::Phase::Checking:
            progress.setLabelText(tr("Checking %1...").arg(step.serviceName));
            break;
        case Installation::Phase::Saving:
            progress.setLabelText(tr("Saving the current configuration..."));
            break;
        case Installation::Phase::Installing:
            progress.setLabelText(tr("Installing %1...").arg(step.serviceName));
            break;
        }
        QCoreApplication::processEvents();
        return !progress.wasCanceled();
    };
    // Keeps the progress painted and its Cancel seen while the tools run; the progress window
    // blocks everything else. Cancel hides it and unblocks this dialog, so from then on no events
    // are taken until the record in hand is done: nothing may start a second run meanwhile.
    hooks.idle = [&progress] {
        if (!progress.wasCanceled())
            QCoreApplication::processEvents();
    };
    bool finished = false;
    hooks.report = [this, &progress, &finished](const Installation::Report &report) {
        progress.close();
        finished = report.ending == Installation::Report::Ending::Finished;
        if (report.text.isEmpty())
            return;
        if (report.isRefusal())
            MessageBox::warning(this, tr("Install"), report.text);
        else
            MessageBox::information(this, tr("Install"), report.text);
    };

    Installation installation(hooks);
    installation.run(checkedItems());
    // The machine has changed: the statuses and the preview follow it.
    if (finished) {
        m_installed = InstalledReading::read();
        updateStatuses();
    }
}
