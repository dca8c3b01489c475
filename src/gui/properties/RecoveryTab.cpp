#include "properties/RecoveryTab.h"

#include "FileDialog.h"
#include "ServiceInfo.h"
#include "properties/ChoiceList.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <limits>

namespace {

constexpr int MillisecondsPerMinute = 60000;

} // namespace

RecoveryTab::RecoveryTab(const ServiceInfo &service, QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(tr("Select the action to perform when a service failure occurs."), this));

    auto *form = new QFormLayout;
    m_firstCombo = ChoiceList::recoveryActions(service.firstFailure.type, this);
    m_firstCombo->setObjectName(QStringLiteral("firstFailureCombo"));
    form->addRow(tr("First failure:"), m_firstCombo);
    m_secondCombo = ChoiceList::recoveryActions(service.secondFailure.type, this);
    m_secondCombo->setObjectName(QStringLiteral("secondFailureCombo"));
    form->addRow(tr("Second failure:"), m_secondCombo);
    m_subsequentCombo = ChoiceList::recoveryActions(service.subsequentFailure.type, this);
    m_subsequentCombo->setObjectName(QStringLiteral("subsequentFailureCombo"));
    form->addRow(tr("Subsequent failures:"), m_subsequentCombo);

    m_resetDaysSpin = new QSpinBox(this);
    m_resetDaysSpin->setObjectName(QStringLiteral("resetDaysSpin"));
    m_resetDaysSpin->setRange(0, 9999);
    m_resetDaysSpin->setSuffix(tr(" days"));
    m_resetDaysSpin->setValue(service.failureResetDays);
    m_shownResetDays = m_resetDaysSpin->value();
    m_storedResetDays = service.failureResetDays;
    form->addRow(tr("Reset fail count after:"), m_resetDaysSpin);

    m_restartMinutesSpin = new QSpinBox(this);
    m_restartMinutesSpin->setObjectName(QStringLiteral("restartMinutesSpin"));
    m_restartMinutesSpin->setRange(0, 99999);
    m_restartMinutesSpin->setSuffix(tr(" minute(s)"));
    m_restartMinutesSpin->setValue(service.firstFailure.delayMs / MillisecondsPerMinute);
    m_shownRestartMinutes = m_restartMinutesSpin->value();
    m_storedDelaysMs[0] = service.firstFailure.delayMs;
    m_storedDelaysMs[1] = service.secondFailure.delayMs;
    m_storedDelaysMs[2] = service.subsequentFailure.delayMs;
    form->addRow(tr("Restart service after:"), m_restartMinutesSpin);
    layout->addLayout(form);

    auto *programGroup = new QGroupBox(tr("Run program"), this);
    auto *programForm = new QFormLayout(programGroup);
    m_programEdit = new QLineEdit(service.failureCommand, programGroup);
    m_programEdit->setObjectName(QStringLiteral("programEdit"));
    auto *browse = new QPushButton(tr("Browse..."), programGroup);
    browse->setObjectName(QStringLiteral("browseProgramButton"));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString file = FileDialog::getOpenFileName(this, tr("Select Program"),
                                                         tr("Executables (*.exe);;All Files (*)"));
        if (!file.isEmpty())
            m_programEdit->setText(file);
    });
    auto *programRow = new QHBoxLayout;
    programRow->addWidget(m_programEdit);
    programRow->addWidget(browse);
    programForm->addRow(tr("Program:"), programRow);
    m_paramsEdit = new QLineEdit(service.failureCommandParams, programGroup);
    m_paramsEdit->setObjectName(QStringLiteral("programParamsEdit"));
    programForm->addRow(tr("Command line parameters:"), m_paramsEdit);
    layout->addWidget(programGroup);

    auto *rebootForm = new QFormLayout;
    m_rebootMessageEdit = new QLineEdit(service.failureRebootMessage, this);
    m_rebootMessageEdit->setObjectName(QStringLiteral("rebootMessageEdit"));
    rebootForm->addRow(tr("Reboot message:"), m_rebootMessageEdit);
    layout->addLayout(rebootForm);
    layout->addStretch();
}

void RecoveryTab::writeTo(ServiceInfo &service) const
{
    const bool delayChanged = m_restartMinutesSpin->value() != m_shownRestartMinutes;
    const int delayMs = delayMsFromMinutes(m_restartMinutesSpin->value());
    auto delay = [&](int action) {
        return delayChanged ? delayMs : qMax(0, m_storedDelaysMs[action]);
    };
    service.failureResetDays =
        m_resetDaysSpin->value() != m_shownResetDays ? m_resetDaysSpin->value() : m_storedResetDays;
    service.firstFailure = {ChoiceList::recoveryActionType(m_firstCombo), delay(0)};
    service.secondFailure = {ChoiceList::recoveryActionType(m_secondCombo), delay(1)};
    service.subsequentFailure = {ChoiceList::recoveryActionType(m_subsequentCombo), delay(2)};
    service.failureCommand = m_programEdit->text();
    service.failureCommandParams = m_paramsEdit->text();
    service.failureRebootMessage = m_rebootMessageEdit->text();
}

int RecoveryTab::delayMsFromMinutes(int minutes)
{
    constexpr int maxMinutes = std::numeric_limits<int>::max() / MillisecondsPerMinute;
    return qBound(0, minutes, maxMinutes) * MillisecondsPerMinute;
}
