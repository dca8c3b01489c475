#pragma once

#include <QCoreApplication>
#include <QWidget>

struct ServiceInfo;
class QComboBox;
class QLineEdit;
class QSpinBox;

// "Recovery": the three recovery actions, one restart delay shared by all three, the reset
// period in days, the program to run and the reboot message.
class RecoveryTab : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(ImportDialog)

public:
    explicit RecoveryTab(const ServiceInfo &service, QWidget *parent = nullptr);

    void writeTo(ServiceInfo &service) const;

    // The delay in milliseconds for a number of minutes. A delay is a signed 32-bit count of
    // milliseconds, so more minutes than it holds are stored as the most it holds in whole
    // minutes, never as an overflowed or negative value.
    static int delayMsFromMinutes(int minutes);

private:
    // The sheet shows one delay in whole minutes and a clamped reset period; what the record held
    // is kept unless the user changes the spin box, so that OK alone never rewrites them.
    int m_shownRestartMinutes = 0;
    int m_storedDelaysMs[3] = {};
    int m_shownResetDays = 0;
    int m_storedResetDays = 0;

    QComboBox *m_firstCombo = nullptr;
    QComboBox *m_secondCombo = nullptr;
    QComboBox *m_subsequentCombo = nullptr;
    QSpinBox *m_resetDaysSpin = nullptr;
    QSpinBox *m_restartMinutesSpin = nullptr;
    QLineEdit *m_programEdit = nullptr;
    QLineEdit *m_paramsEdit = nullptr;
    QLineEdit *m_rebootMessageEdit = nullptr;
};
