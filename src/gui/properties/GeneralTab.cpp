#include "properties/GeneralTab.h"

#include "FileDialog.h"
#include "ServiceInfo.h"
#include "properties/ChoiceList.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

GeneralTab::GeneralTab(const ServiceInfo &service, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;

    m_nameEdit = new QLineEdit(service.serviceName, this);
    m_nameEdit->setObjectName(QStringLiteral("serviceNameEdit"));
    form->addRow(tr("Service name:"), m_nameEdit);

    m_displayNameEdit = new QLineEdit(service.displayName, this);
    m_displayNameEdit->setObjectName(QStringLiteral("displayNameEdit"));
    form->addRow(tr("Display name:"), m_displayNameEdit);

    m_descriptionEdit = new QTextEdit(this);
    m_descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
    m_descriptionEdit->setAcceptRichText(false);
    m_descriptionEdit->setPlainText(service.description);
    m_descriptionEdit->setMaximumHeight(70);
    form->addRow(tr("Description:"), m_descriptionEdit);

    m_pathEdit = new QLineEdit(service.binaryPath, this);
    m_pathEdit->setObjectName(QStringLiteral("binaryPathEdit"));
    auto *browse = new QPushButton(tr("..."), this);
    browse->setObjectName(QStringLiteral("browseBinaryButton"));
    browse->setFixedWidth(30);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = FileDialog::getOpenFileName(this, tr("Select Executable"),
                                                         tr("Executables (*.exe);;All Files (*)"));
        if (!file.isEmpty())
            m_pathEdit->setText(file);
    });
    auto *pathRow = new QHBoxLayout;
    pathRow->addWidget(m_pathEdit);
    pathRow->addWidget(browse);
    form->addRow(tr("Path to executable:"), pathRow);

    m_startTypeCombo = ChoiceList::words({QStringLiteral("Auto"), QStringLiteral("DelayedAuto"),
                                          QStringLiteral("Manual"), QStringLiteral("Disabled")},
                                         service.startType, this);
    m_startTypeCombo->setObjectName(QStringLiteral("startTypeCombo"));
    form->addRow(tr("Startup type:"), m_startTypeCombo);

    layout->addLayout(form);
    layout->addStretch();
}

QString GeneralTab::serviceName() const
{
    return m_nameEdit->text().trimmed();
}

QString GeneralTab::binaryPath() const
{
    return m_pathEdit->text().trimmed();
}

void GeneralTab::writeTo(ServiceInfo &service) const
{
    service.serviceName = m_nameEdit->text().trimmed();
    service.displayName = m_displayNameEdit->text();
    service.description = m_descriptionEdit->toPlainText();
    service.binaryPath = m_pathEdit->text();
    service.startType = m_startTypeCombo->currentText();
}
