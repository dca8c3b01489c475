#pragma once

#include "InterfaceLanguage.h"
#include "ServiceInfo.h"

#include <QList>
#include <QMainWindow>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;
class ServiceTableModel;
class ServiceTableProxy;

// The program's one window: the table of installed services, the commands that export the
// checked ones and import a service file, the language and the information windows.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The loaded records whose rows are checked, hidden rows included, in enumeration order.
    QList<ServiceInfo> selectedServices() const;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onSelectNone();
    void onExportBatch();
    void onExportJson();
    void onExportAnsible();
    void onImport();
    void onAbout();
    void onLicense();
    void onLanguageChanged(const QString &lang);
    void onFilterChanged(const QString &text);
    void onContextMenu(const QPoint &pos);

private:
    enum class ExportFormat { Batch, Json, Ansible };

    void setupMenuBar();
    void setupCentralWidget();
    void retranslateUi();
    void loadServices();
    void updateStatusBar();
    void saveSettings();
    void restoreSettings();
    void exportServices(ExportFormat format);

    InterfaceLanguage::Translators m_translators;
    QLineEdit *m_filterEdit = nullptr;
    QPushButton *m_deselectButton = nullptr;
    QPushButton *m_exportBatchButton = nullptr;
    QPushButton *m_exportJsonButton = nullptr;
    QPushButton *m_importButton = nullptr;
    QTableView *m_table = nullptr;
    ServiceTableModel *m_model = nullptr;
    ServiceTableProxy *m_proxy = nullptr;
    QLabel *m_statusLabel = nullptr;
    QMenu *m_fileMenu = nullptr;
    QMenu *m_editMenu = nullptr;
    QMenu *m_helpMenu = nullptr;
    QMenu *m_languageMenu = nullptr;
    QAction *m_exportBatchAction = nullptr;
    QAction *m_exportJsonAction = nullptr;
    QAction *m_exportAnsibleAction = nullptr;
    QAction *m_importAction = nullptr;
    QAction *m_exitAction = nullptr;
    QAction *m_deselectAllAction = nullptr;
    QAction *m_filterAction = nullptr;
    QAction *m_aboutAction = nullptr;
    QAction *m_licenseAction = nullptr;
    QList<ServiceInfo> m_services;
};
