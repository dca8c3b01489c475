#include "properties/AdvancedTab.h"

#include "ServiceInfo.h"
#include "properties/ChoiceList.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

QString noneWhenEmpty(const QString &word)
{
    return word.isEmpty() ? QStringLiteral("None") : word;
}

} // namespace

AdvancedTab::AdvancedTab(const ServiceInfo &service, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *form = new QFormLayout;

    m_typeCombo = ChoiceList::words({QStringLiteral("Own"), QStringLiteral("Share"),
                                     QStringLiteral("Kernel"), QStringLiteral("FileSystem")},
                                    service.serviceType, this);
    m_typeCombo->setObjectName(QStringLiteral("serviceTypeCombo"));
    form->addRow(tr("Service type:"), m_typeCombo);

    m_errorCombo = ChoiceList::words({QStringLiteral("Ignore"), QStringLiteral("Normal"),
                                      QStringLiteral("Severe"), QStringLiteral("Critical")},
                                     service.errorControl, this);
    m_errorCombo->setObjectName(QStringLiteral("errorControlCombo"));
    form->addRow(tr("Error control:"), m_errorCombo);

    m_sidTypeCombo = ChoiceList::words(
        {QStringLiteral("None"), QStringLiteral("Unrestricted"), QStringLiteral("Restricted")},
        noneWhenEmpty(service.sidType), this);
    m_sidTypeCombo->setObjectName(QStringLiteral("sidTypeCombo"));
    form->addRow(tr("Service SID type:"), m_sidTypeCombo);

    m_preShutdownSpin = new QSpinBox(this);
    m_preShutdownSpin->setObjectName(QStringLiteral("preShutdownSpin"));
    m_preShutdownSpin->setRange(0, 999999999);
    m_preShutdownSpin->setSuffix(tr(" ms"));
    m_preShutdownSpin->setValue(service.preShutdownTimeout);
    form->addRow(tr("Pre-shutdown timeout:"), m_preShutdownSpin);

    m_launchProtectedCombo = ChoiceList::words(
        {QStringLiteral("None"), QStringLiteral("Windows"), QStringLiteral("Antimalware")},
        noneWhenEmpty(service.launchProtected), this);
    m_launchProtectedCombo->setObjectName(QStringLiteral("launchProtectedCombo"));
    form->addRow(tr("Launch protected:"), m_launchProtectedCombo);

    m_privilegesEdit = new QTextEdit(this);
    m_privilegesEdit->setObjectName(QStringLiteral("privilegesEdit"));
    m_privilegesEdit->setAcceptRichText(false);
    m_privilegesEdit->setPlainText(service.requiredPrivileges.join(u'\n'));
    m_privilegesEdit->setMaximumHeight(80);
    form->addRow(tr("Required privileges:"), m_privilegesEdit);

    layout->addLayout(form);
    layout->addWidget(new QLabel(tr("Enter one privilege per line, e.g. SeBackupPrivilege"), this));
    layout->addStretch();
}

void AdvancedTab::writeTo(ServiceInfo &service) const
{
    service.serviceType = m_typeCombo->currentText();
    service.errorControl = m_errorCombo->currentText();
    service.sidType = m_sidTypeCombo->currentText();
    service.preShutdownTimeout = m_preShutdownSpin->value();
    service.launchProtected = m_launchProtectedCombo->currentText();
    service.requiredPrivileges = privilegesFromText(m_privilegesEdit->toPlainText());
}

QStringList AdvancedTab::privilegesFromText(const QString &text)
{
    QStringList privileges;
    const QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    for (const QString &line : lines) {
        // A line of blanks would become an empty name that `sc privs` rejects.
        const QString name = line.trimmed();
        if (!name.isEmpty())
            privileges.append(name);
    }
    return privileges;
}
