#include "ImportDialog.h"

#include "ChangePreviewDialog.h"
#include "FileDialog.h"
#include "InstallReport.h"
#include "Ledgerwell.h"
#include "MessageBox.h"
#include "ServiceDiff.h"
#include "ServiceEnumerator.h"
#include "ServiceInstaller.h"
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

        if (!m_editedServices.isEmpty() && m_editedServices.contains(service.serviceName)) {
            for (int column = 0; column < m_table->columnCount(); ++column)
                m_table->item(i, column)->setFont(bold);
        }
    }

    m_table->setSortingEnabled(true);
    m_table->resizeColumnsToContents();
    m_table->setColumnWidth(ServiceTable::CheckColumn, 30);
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
    const QList<ServiceInfo> services = checkedServices();
    if (services.isEmpty()) {
        MessageBox::warning(this, tr("Install"), tr("No services selected."));
        return;
    }

    ServiceInstaller installer;
    ToolRun failedQuery;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool queried = installer.findExisting(services, &failedQuery);
    QGuiApplication::restoreOverrideCursor();
    if (!queried) {
        MessageBox::warning(this, tr("Install"),
                            tr("Cannot find out which services already exist, so nothing was "
                               "changed:\n%1")
                                .arg(InstallReport::runDetail(failedQuery)));
        return;
    }

    const QStringList existing = installer.existingNames();
    QString backupPath;
    if (!existing.isEmpty()) {
        backupPath = ServiceInstaller::newBackupPath();
        const QMessageBox::StandardButton answer = MessageBox::warning(
            this, tr("Services already exist"),
            tr("The following services already exist and will be deleted and recreated:\n\n%1"
               "\n\nTheir current configuration will be saved to:\n%2\n\nContinue?")
                .arg(existing.join(u'\n'), QDir::toNativeSeparators(backupPath)),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
        if (!backUpServices(installer, backupPath))
            return;
    }

    QProgressDialog progress(tr("Installing services..."), tr("Cancel"), 0, int(services.size()),
                             this);
    progress.setObjectName(QStringLiteral("installProgress"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(0);
    // Keeps the progress painted and its Cancel seen while the tools run; the progress window
    // blocks everything else. Cancel hides it and unblocks this dialog, so from then on no events
    // are taken until the record in hand is done: nothing may start a second run meanwhile.
    installer.setIdleCallback([&progress] {
        if (!progress.wasCanceled())
            QCoreApplication::processEvents();
    });

    int installed = 0;
    QStringList errors;
    for (int i = 0; i < services.size(); ++i) {
        const ServiceInfo &service = services.at(i);
        progress.setValue(i);
        progress.setLabelText(tr("Installing %1...").arg(service.serviceName));
        QCoreApplication::processEvents();
        if (progress.wasCanceled())
            break;

        const ServiceInstaller::Result result = installer.install(service);
        if (result.status == ServiceInstaller::Result::Status::Installed)
            ++installed;
        errors += InstallReport::errorLines(service.serviceName, result, installer.timeouts());
    }
    progress.setValue(int(services.size()));

    MessageBox::information(
        this, tr("Install"),
        InstallReport::summary(installed, int(services.size()), errors, backupPath));
}

bool ImportDialog::backUpServices(ServiceInstaller &installer, const QString &backupPath)
{
    QStringList unreadable;
    QString error;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = installer.backUpExisting(backupPath, &unreadable, &error);
    QGuiApplication::restoreOverrideCursor();
    if (saved)
        return true;
    if (!unreadable.isEmpty()) {
        MessageBox::warning(this, tr("Install"),
                            tr("The current configuration of these services cannot be read, so "
                               "they cannot be saved before they are replaced:\n\n%1\n\n"
                               "Nothing was changed.")
                                .arg(unreadable.join(u'\n')));
    } else {
        MessageBox::warning(this, tr("Install"),
                            tr("Cannot write file %1:\n%2.\n\nNothing was changed.")
                                .arg(QDir::toNativeSeparators(backupPath), error));
    }
    return false;
}
