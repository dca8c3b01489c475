#include "properties/DependenciesTab.h"

#include "ServiceInfo.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

DependenciesTab::DependenciesTab(const ServiceInfo &service, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("This service depends on the following services:"), this));

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("dependencyList"));
    m_list->addItems(service.dependencies);
    layout->addWidget(m_list);

    auto *add = new QPushButton(tr("Add..."), this);
    add->setObjectName(QStringLiteral("addDependencyButton"));
    auto *remove = new QPushButton(tr("Remove"), this);
    remove->setObjectName(QStringLiteral("removeDependencyButton"));
    connect(add, &QPushButton::clicked, this, &DependenciesTab::addDependency);
    connect(remove, &QPushButton::clicked, this, &DependenciesTab::removeDependency);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    layout->addLayout(buttons);

    m_groupEdit = new QLineEdit(service.loadOrderGroup, this);
    m_groupEdit->setObjectName(QStringLiteral("loadOrderGroupEdit"));
    auto *form = new QFormLayout;
    form->addRow(tr("Load order group:"), m_groupEdit);
    layout->addLayout(form);
    layout->addStretch();
}

void DependenciesTab::writeTo(ServiceInfo &service) const
{
    service.dependencies.clear();
    for (int row = 0; row < m_list->count(); ++row)
        service.dependencies.append(m_list->item(row)->text());
    service.loadOrderGroup = m_groupEdit->text();
}

void DependenciesTab::addDependency()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("addDependencyDialog"));
    dialog.setWindowTitle(tr("Add Dependency"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *nameEdit = new QLineEdit(&dialog);
    nameEdit->setObjectName(QStringLiteral("dependencyNameEdit"));
    nameEdit->setPlaceholderText(tr("Service name"));
    layout->addWidget(nameEdit);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);

    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString name = nameEdit->text().trimmed();
    if (!name.isEmpty())
        m_list->addItem(name);
}

void DependenciesTab::removeDependency()
{
    delete m_list->takeItem(m_list->currentRow());
}
