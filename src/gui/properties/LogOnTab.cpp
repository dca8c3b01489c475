#include "properties/LogOnTab.h"

#include "ServiceInfo.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

LogOnTab::LogOnTab(const ServiceInfo &service, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Log on as:"), this));

    m_localSystemRadio = new QRadioButton(tr("Local System account"), this);
    m_localSystemRadio->setObjectName(QStringLiteral("localSystemRadio"));
    layout->addWidget(m_localSystemRadio);

    m_thisAccountRadio = new QRadioButton(tr("This account:"), this);
    m_thisAccountRadio->setObjectName(QStringLiteral("thisAccountRadio"));
    m_accountEdit = new QLineEdit(this);
    m_accountEdit->setObjectName(QStringLiteral("accountEdit"));
    auto *accountRow = new QHBoxLayout;
    accountRow->addWidget(m_thisAccountRadio);
    accountRow->addWidget(m_accountEdit);
    layout->addLayout(accountRow);

    m_passwordEdit = new QLineEdit(this);
    m_passwordEdit->setObjectName(QStringLiteral("passwordEdit"));
    m_passwordEdit->setEchoMode(QLineEdit::Password);
    m_confirmEdit = new QLineEdit(this);
    m_confirmEdit->setObjectName(QStringLiteral("confirmPasswordEdit"));
    m_confirmEdit->setEchoMode(QLineEdit::Password);
    auto *form = new QFormLayout;
    form->addRow(tr("Password:"), m_passwordEdit);
    form->addRow(tr("Confirm password:"), m_confirmEdit);
    layout->addLayout(form);
    layout->addStretch();

    const bool localSystem = isLocalSystem(service.accountName);
    if (!localSystem)
        m_accountEdit->setText(service.accountName);
    m_localSystemRadio->setChecked(localSystem);
    m_thisAccountRadio->setChecked(!localSystem);
    auto enableAccountFields = [this](bool local) {
        m_accountEdit->setEnabled(!local);
        m_passwordEdit->setEnabled(!local);
        m_confirmEdit->setEnabled(!local);
    };
    enableAccountFields(localSystem);
    connect(m_localSystemRadio, &QRadioButton::toggled, this, enableAccountFields);
}

void LogOnTab::writeTo(ServiceInfo &service) const
{
    service.accountName =
        m_localSystemRadio->isChecked() ? QStringLiteral("LocalSystem") : m_accountEdit->text();
}

bool LogOnTab::isLocalSystem(const QString &accountName)
{
    const QString lower = accountName.toLower();
    return lower.isEmpty() || lower == u"localsystem" || lower == u"nt authority\\system";
}
