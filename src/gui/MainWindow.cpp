#include "MainWindow.h"

#include "AnsiblePlaybook.h"
#include "AppSettings.h"
#include "BatchExportCommand.h"
#include "FileDialog.h"
#include "ImportDialog.h"
#include "InterfaceLanguage.h"
#include "JsonReadErrorText.h"
#include "Ledgerwell.h"
#include "LicenseWindow.h"
#include "MessageBox.h"
#include "ServiceEnumerator.h"
#include "ServiceTable.h"
#include "ServiceTableModel.h"
#include "ServiceTableProxy.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QVBoxLayout>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    resize(1000, 600);
    InterfaceLanguage::apply(m_translators, AppSettings::startLanguage());

    setupMenuBar();
    setupCentralWidget();

    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    statusBar()->addWidget(m_statusLabel);

    retranslateUi();
    loadServices();
    restoreSettings();
}

MainWindow::~MainWindow() = default;

void MainWindow::setupMenuBar()
{
    const auto addAction = [](QMenu *menu, const char *name) {
        QAction *action = menu->addAction(QString());
        action->setObjectName(QLatin1String(name));
        return action;
    };

    m_fileMenu = menuBar()->addMenu(QString());
    m_fileMenu->setObjectName(QStringLiteral("fileMenu"));
    m_exportBatchAction = addAction(m_fileMenu, "exportBatchAction");
    m_exportBatchAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    connect(m_exportBatchAction, &QAction::triggered, this, &MainWindow::onExportBatch);
    m_exportJsonAction = addAction(m_fileMenu, "exportJsonAction");
    m_exportJsonAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(m_exportJsonAction, &QAction::triggered, this, &MainWindow::onExportJson);
    m_exportAnsibleAction = addAction(m_fileMenu, "exportAnsibleAction");
    connect(m_exportAnsibleAction, &QAction::triggered, this, &MainWindow::onExportAnsible);
    m_fileMenu->addSeparator();
    m_importAction = addAction(m_fileMenu, "importAction");
    m_importAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(m_importAction, &QAction::triggered, this, &MainWindow::onImport);
    m_fileMenu->addSeparator();
    m_exitAction = addAction(m_fileMenu, "exitAction");
    m_exitAction->setShortcut(QKeySequence::Quit);
    connect(m_exitAction, &QAction::triggered, this, &MainWindow::close);

    m_editMenu = menuBar()->addMenu(QString());
    m_editMenu->setObjectName(QStringLiteral("editMenu"));
    m_deselectAllAction = addAction(m_editMenu, "deselectAllAction");
    connect(m_deselectAllAction, &QAction::triggered, this, &MainWindow::onSelectNone);
    m_editMenu->addSeparator();
    m_filterAction = addAction(m_editMenu, "filterAction");
    m_filterAction->setShortcut(QKeySequence::Find);
    connect(m_filterAction, &QAction::triggered, this, [this] {
        m_filterEdit->setFocus(Qt::ShortcutFocusReason);
        m_filterEdit->selectAll();
    });

    m_helpMenu = menuBar()->addMenu(QString());
    m_helpMenu->setObjectName(QStringLiteral("helpMenu"));
    m_aboutAction = addAction(m_helpMenu, "aboutAction");
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::onAbout);
    m_licenseAction = addAction(m_helpMenu, "licenseAction");
    connect(m_licenseAction, &QAction::triggered, this, &MainWindow::onLicense);

    // The language entries name each language in itself and are never translated.
    m_languageMenu = menuBar()->addMenu(QString());
    m_languageMenu->setObjectName(QStringLiteral("languageMenu"));
    QAction *english = m_languageMenu->addAction(QStringLiteral("English"));
    english->setObjectName(QStringLiteral("englishAction"));
    connect(english, &QAction::triggered, this,
            [this] { onLanguageChanged(QStringLiteral("en")); });
    QAction *german = m_languageMenu->addAction(QStringLiteral("Deutsch"));
    german->setObjectName(QStringLiteral("germanAction"));
    connect(german, &QAction::triggered, this, [this] { onLanguageChanged(QStringLiteral("de")); });
}

void MainWindow::setupCentralWidget()
{
    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);

    m_filterEdit = new QLineEdit(central);
    m_filterEdit->setObjectName(QStringLiteral("filterEdit"));
    m_filterEdit->setClearButtonEnabled(true);
    connect(m_filterEdit, &QLineEdit::textChanged, this, &MainWindow::onFilterChanged);
    layout->addWidget(m_filterEdit);

    auto *buttons = new QHBoxLayout;
    const auto addButton = [central, buttons](const char *name) {
        auto *button = new QPushButton(central);
        button->setObjectName(QLatin1String(name));
        buttons->addWidget(button);
        return button;
    };
    m_deselectButton = addButton("deselectButton");
    buttons->addStretch();
    m_importButton = addButton("importButton");
    m_exportJsonButton = addButton("exportJsonButton");
    m_exportBatchButton = addButton("exportBatchButton");
    connect(m_deselectButton, &QPushButton::clicked, this, &MainWindow::onSelectNone);
    connect(m_importButton, &QPushButton::clicked, this, &MainWindow::onImport);
    connect(m_exportJsonButton, &QPushButton::clicked, this, &MainWindow::onExportJson);
    connect(m_exportBatchButton, &QPushButton::clicked, this, &MainWindow::onExportBatch);
    layout->addLayout(buttons);

    m_model = new ServiceTableModel(ServiceTable::columns(), this);
    m_proxy = new ServiceTableProxy(m_model, this);
    m_table = new QTableView(central);
    m_table->setObjectName(QStringLiteral("serviceTable"));
    ServiceTable::setUpView(m_table, m_proxy);
    connect(m_table, &QTableView::customContextMenuRequested, this, &MainWindow::onContextMenu);
    layout->addWidget(m_table);

    setCentralWidget(central);
}

void MainWindow::retranslateUi()
{
    setWindowTitle(tr("Quorvantel Ledgerwell"));
    m_filterEdit->setPlaceholderText(tr("Filter services..."));
    m_deselectButton->setText(tr("Deselect All"));
    m_exportBatchButton->setText(tr("Export .bat"));
    m_exportJsonButton->setText(tr("Export .json"));
    m_importButton->setText(tr("Import .json"));
    m_model->setHeaderLabels({QString(), tr("Name"), tr("Display Name"), tr("Start Type"),
                              tr("Account"), tr("Binary Path")});
    m_exportBatchButton->setToolTip(tr("Export &Batch (.bat)...") + QStringLiteral(" (Ctrl+B)"));
    m_exportJsonButton->setToolTip(tr("Export &JSON...") + QStringLiteral(" (Ctrl+E)"));
    m_importButton->setToolTip(tr("&Import JSON...") + QStringLiteral(" (Ctrl+I)"));

    m_fileMenu->setTitle(tr("&File"));
    m_exportBatchAction->setText(tr("Export &Batch (.bat)..."));
    m_exportJsonAction->setText(tr("Export &JSON..."));
    m_exportAnsibleAction->setText(tr("Export &Ansible Playbook..."));
    m_importAction->setText(tr("&Import JSON..."));
    m_exitAction->setText(tr("E&xit"));
    m_editMenu->setTitle(tr("&Edit"));
    m_deselectAllAction->setText(tr("&Deselect All"));
    m_filterAction->setText(tr("&Filter"));
    m_helpMenu->setTitle(tr("&Help"));
    m_aboutAction->setText(tr("&About"));
    m_licenseAction->setText(tr("&License"));
    m_languageMenu->setTitle(tr("&Language"));

    updateStatusBar();
}

void MainWindow::loadServices()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    m_services = ServiceEnumerator::enumerate();
    QGuiApplication::restoreOverrideCursor();

    m_model->setRecords(m_services, Qt::Unchecked);
    ServiceTable::fitColumns(m_table);

    // Connected after filling, so that only the user's check marks reach it.
    connect(m_model, &ServiceTableModel::dataChanged, this,
            [this](const QModelIndex &topLeft, const QModelIndex &, const QList<int> &roles) {
                if (topLeft.column() == ServiceTable::CheckColumn
                    && (roles.isEmpty() || roles.contains(Qt::CheckStateRole)))
                    updateStatusBar();
            });
    updateStatusBar();
}

void MainWindow::updateStatusBar()
{
    const ServiceTable::Counts counts = ServiceTable::countRows(*m_proxy);
    m_statusLabel->setText(tr("%1 services loaded, %2 visible, %3 selected")
                               .arg(m_services.size())
                               .arg(counts.visible)
                               .arg(counts.selected));
}

QList<ServiceInfo> MainWindow::selectedServices() const
{
    return ServiceTable::recordsNamed(m_services, m_model->checkedNames());
}

void MainWindow::onSelectNone()
{
    m_model->setAllChecked(Qt::Unchecked);
}

void MainWindow::onFilterChanged(const QString &text)
{
    m_proxy->setFilterText(text);
    updateStatusBar();
}

void MainWindow::onContextMenu(const QPoint &pos)
{
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("serviceContextMenu"));
    menu.addAction(tr("Deselect All"), this, &MainWindow::onSelectNone);
    menu.addSeparator();
    menu.addAction(tr("Export Selected as .bat..."), this, &MainWindow::onExportBatch);
    menu.addAction(tr("Export Selected as .json..."), this, &MainWindow::onExportJson);
    menu.exec(m_table->viewport()->mapToGlobal(pos));
}

void MainWindow::onExportBatch()
{
    exportServices(ExportFormat::Batch);
}

void MainWindow::onExportJson()
{
    exportServices(ExportFormat::Json);
}

void MainWindow::onExportAnsible()
{
    exportServices(ExportFormat::Ansible);
}

void MainWindow::exportServices(ExportFormat format)
{
    const QList<ServiceInfo> services = selectedServices();
    if (services.isEmpty()) {
        MessageBox::warning(this, tr("Export"), tr("No services selected."));
        return;
    }

    QString caption;
    QString filter;
    switch (format) {
    case ExportFormat::Batch:
        caption = tr("Export Batch Script");
        filter = tr("Batch Files (*.bat)");
        break;
    case ExportFormat::Json:
        caption = tr("Export JSON");
        filter = tr("JSON Files (*.json)");
        break;
    case ExportFormat::Ansible:
        caption = tr("Export Ansible Playbook");
        filter = tr("Ansible Playbooks (*.yml *.yaml)");
        break;
    }
    const QString path = FileDialog::getSaveFileName(this, caption, filter);
    if (path.isEmpty())
        return;

    QString error;
    bool written = false;
    switch (format) {
    case ExportFormat::Batch:
        BatchExportCommand::run(this, path, services);
        return;
    case ExportFormat::Json:
        written = Ledgerwell::exportToJson(path, services, &error);
        break;
    case ExportFormat::Ansible: {
        const AnsiblePlaybook::Result playbook = AnsiblePlaybook::write(services);
        if (!playbook.ok()) {
            MessageBox::warning(this, tr("Export"), playbook.error);
            return;
        }
        written = Ledgerwell::writeFile(path, playbook.text, &error);
        break;
    }
    }
    if (!written) {
        MessageBox::warning(
            this, tr("Export"),
            tr("Cannot write file %1:\n%2.").arg(QDir::toNativeSeparators(path), error));
        return;
    }
    MessageBox::information(this, tr("Export"),
                            tr("Exported %1 services to:\n%2").arg(services.size()).arg(path));
}

void MainWindow::onImport()
{
    const QString path =
        FileDialog::getOpenFileName(this, tr("Import Services"), tr("JSON Files (*.json)"));
    if (path.isEmpty())
        return;

    JsonReadError error;
    const QList<ServiceInfo> services = Ledgerwell::importFromJson(path, &error);
    if (services.isEmpty()) {
        QString text = tr("No services found in file.");
        const QString reason = describeJsonReadError(path, error);
        if (!reason.isEmpty())
            text += QStringLiteral("\n\n") + reason;
        MessageBox::warning(this, tr("Import"), text);
        return;
    }

    ImportDialog dialog(services, this);
    dialog.exec();
}

void MainWindow::onAbout()
{
    MessageBox::about(this, tr("About"),
                      tr("Quorvantel Ledgerwell\n\n"
                         "Export and import Windows service configurations.\n\n"
                         "Use at your own risk."));
}

void MainWindow::onLicense()
{
    LicenseWindow::exec(this);
}

void MainWindow::onLanguageChanged(const QString &lang)
{
    // Stored first, so that the choice holds for the next start even if the file is missing.
    AppSettings::storeLanguage(lang);
    InterfaceLanguage::apply(m_translators, lang);
    retranslateUi();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    saveSettings();
    QMainWindow::closeEvent(event);
}

void MainWindow::saveSettings()
{
    AppSettings::storeWindowLayout(saveGeometry(), saveState(0),
                                   AppSettings::columnWidths(m_table));
}

void MainWindow::restoreSettings()
{
    const AppSettings::WindowLayout layout = AppSettings::storedWindowLayout();
    if (layout.geometry)
        restoreGeometry(*layout.geometry);
    if (layout.state)
        restoreState(*layout.state, 0);
    if (layout.columnWidths)
        AppSettings::applyColumnWidths(m_table, *layout.columnWidths);
}
