#include "ServicePropertiesDialog.h"

#include "MessageBox.h"
#include "ServiceInfo.h"
#include "properties/AdvancedTab.h"
#include "properties/DependenciesTab.h"
#include "properties/GeneralTab.h"
#include "properties/LogOnTab.h"
#include "properties/RecoveryTab.h"
#include "properties/UntouchedFields.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

ServicePropertiesDialog::ServicePropertiesDialog(const ServiceInfo &service, QWidget *parent)
    : QDialog(parent)
    , m_original(service)
{
    setObjectName(QStringLiteral("servicePropertiesDialog"));
    const QString shownName =
        service.displayName.isEmpty() ? service.serviceName : service.displayName;
    setWindowTitle(tr("Properties of \"%1\"").arg(shownName));
    resize(440, 420);

    auto *layout = new QVBoxLayout(this);
    auto *tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("propertyTabs"));
    m_general = new GeneralTab(service, tabs);
    m_logOn = new LogOnTab(service, tabs);
    m_recovery = new RecoveryTab(service, tabs);
    m_dependencies = new DependenciesTab(service, tabs);
    m_advanced = new AdvancedTab(service, tabs);
    tabs->addTab(m_general, tr("General"));
    tabs->addTab(m_logOn, tr("Log On"));
    tabs->addTab(m_recovery, tr("Recovery"));
    tabs->addTab(m_dependencies, tr("Dependencies"));
    tabs->addTab(m_advanced, tr("Advanced"));
    tabs->setCurrentIndex(0);
    layout->addWidget(tabs);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &ServicePropertiesDialog::checkAndAccept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    m_shown = service;
    readWidgets(m_shown);
}

void ServicePropertiesDialog::writeTo(ServiceInfo &service) const
{
    ServiceInfo edited = service;
    readWidgets(edited);
    service = UntouchedFields::merge(m_original, m_shown, edited);
}

void ServicePropertiesDialog::readWidgets(ServiceInfo &service) const
{
    m_general->writeTo(service);
    m_logOn->writeTo(service);
    m_recovery->writeTo(service);
    m_dependencies->writeTo(service);
    m_advanced->writeTo(service);
}

void ServicePropertiesDialog::checkAndAccept()
{
    if (m_general->serviceName().isEmpty()) {
        MessageBox::warning(this, tr("Validation"), tr("Service name must not be empty."));
        return;
    }
    if (m_general->binaryPath().isEmpty()) {
        MessageBox::warning(this, tr("Validation"), tr("Path to executable must not be empty."));
        return;
    }
    accept();
}
