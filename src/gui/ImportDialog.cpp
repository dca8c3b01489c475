#include "ImportDialog.h"

#include "ChangePreviewDialog.h"
#include "FileDialog.h"
#include "Installation.h"
#include "Ledgerwell.h"
#include "MessageBox.h"
#include "ServiceDiff.h"
#include "ServiceEnumerator.h"
#include "ServiceName.h"
#include "ServicePropertiesDialog.h"
#include "ServiceTable.h"

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
#include <QTableWidget>
#include <QVBoxLayout>

ImportDialog::ImportDialog(const QList<ServiceInfo> &services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
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

    m_table = new QTableWidget(0, ServiceTable::ColumnCount, this);
    m_table->setObjectName(QStringLiteral("serviceTable"));
    m_table->setHorizontalHeaderLabels({QString(), tr("Name"), tr("Display Name"), tr("Start Type"),
                                        tr("Account"), tr("Binary Path")});
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->horizontalHeader()->setSortIndicatorShown(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->setVisible(false);
    m_table->setSortingEnabled(true);
    m_table->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_table, &QWidget::customContextMenuRequested, this, &ImportDialog::onContextMenu);
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &ImportDialog::onCellDoubleClicked);
    layout->addWidget(m_table);

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

    populateTable();
}

QList<ServiceInfo> ImportDialog::checkedServices() const
{
    // By name, as the main window does: two records of one name go together.
    return ServiceTable::recordsNamed(m_services, ServiceTable::checkedNames(m_table));
}

QList<Installation::Item> ImportDialog::checkedItems() const
{
    QList<Installation::Item> items;
    const QList<int> indexes =
        ServiceTable::indexesNamed(m_services, ServiceTable::checkedNames(m_table));
    for (int index : indexes)
        items.append({index + 1, m_services.at(index)});
    return items;
}

void ImportDialog::populateTable()
{
    m_table->setSortingEnabled(false);
    m_table->setRowCount(int(m_services.size()));

    QFont bold = m_table->font();
    bold.setWeight(QFont::Bold);

    for (int i = 0; i < m_services.size(); ++i) {
        const ServiceInfo &service = m_services.at(i);

        ServiceTable::setRow(m_table, i, service, Qt::Checked);
        m_table->item(i, ServiceTable::NameColumn)->setData(Qt::UserRole, i);
        markUnusableName(i, service);

        if (!m_editedServices.isEmpty() && m_editedServices.contains(service.serviceName)) {
            for (int column = 0; column < m_table->columnCount(); ++column)
                m_table->item(i, column)->setFont(bold);
        }
    }

    m_table->setSortingEnabled(true);
    m_table->resizeColumnsToContents();
    m_table->setColumnWidth(ServiceTable::CheckColumn, 30);
}

void ImportDialog::markUnusableName(int row, const ServiceInfo &service)
{
    const ServiceName::Problem problem = ServiceName::problem(service.serviceName);
    if (problem == ServiceName::Problem::None)
        return;
    QTableWidgetItem *name = m_table->item(row, ServiceTable::NameColumn);
    name->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning));
    name->setData(UnusableNameRole, true);
    QString tip = tr("This record %1 and cannot be installed.").arg(ServiceName::describe(problem));
    if (!service.description.isEmpty())
        tip += QStringLiteral("\n\n") + service.description;
    name->setToolTip(tip);
}

int ImportDialog::recordIndexOfRow(int row) const
{
    const QTableWidgetItem *item =
        row >= 0 ? m_table->item(row, ServiceTable::NameColumn) : nullptr;
    if (!item)
        return -1;
    const int index = item->data(Qt::UserRole).toInt();
    return index >= 0 && index < m_services.size() ? index : -1;
}

void ImportDialog::onCellDoubleClicked(int row, int /*column*/)
{
    const QTableWidgetItem *item = m_table->item(row, ServiceTable::NameColumn);
    if (item)
        editService(item->data(Qt::UserRole).toInt());
}

void ImportDialog::onExportBatch()
{
    const QList<ServiceInfo> services = checkedServices();
    if (services.isEmpty()) {
        MessageBox::warning(this, tr("Export"), tr("No services selected."));
        return;
    }
    const QString fileName =
        FileDialog::getSaveFileName(this, tr("Save Batch Script"), tr("Batch Files (*.bat)"));
    if (fileName.isEmpty())
        return;

    QString error;
    if (!Ledgerwell::exportToBatch(fileName, services, &error)) {
        MessageBox::warning(
            this, tr("Export"),
            tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(fileName), error));
        return;
    }
    MessageBox::information(this, tr("Export"),
                            tr("Exported %1 services to:\n%2").arg(services.size()).arg(fileName));
}

void ImportDialog::onPreview()
{
    const int row = m_table->currentRow();
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
    ServiceTable::applyFilter(m_table, text);
}

void ImportDialog::onSelectNone()
{
    ServiceTable::uncheckAll(m_table);
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
    populateTable();
    // The refill puts other records into rows the filter had hidden.
    onFilterChanged(m_filterEdit->text());
}

void ImportDialog::showDiff(int index)
{
    // Read once per run: the first preview pays for the enumeration, later ones do not.
    static QList<ServiceInfo> systemServices;
    static bool cached = false;
    if (!cached) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        systemServices = ServiceEnumerator::enumerate();
        QGuiApplication::restoreOverrideCursor();
        cached = true;
    }

    const ServiceInfo &imported = m_services.at(index);
    ChangePreviewDialog preview(ServiceDiff::findInstalled(systemServices, imported.serviceName),
                                imported, this);
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
    hooks.report = [this, &progress](const Installation::Report &report) {
        progress.close();
        if (report.text.isEmpty())
            return;
        if (report.isRefusal())
            MessageBox::warning(this, tr("Install"), report.text);
        else
            MessageBox::information(this, tr("Install"), report.text);
    };

    Installation installation(hooks);
    installation.run(checkedItems());
}
