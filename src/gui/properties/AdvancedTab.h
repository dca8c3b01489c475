#pragma once

#include <QCoreApplication>
#include <QWidget>

struct ServiceInfo;
class QComboBox;
class QSpinBox;
class QTextEdit;

// "Advanced": service type, error control, SID type, pre-shutdown time-out, launch protection and
// the required privileges, one per line.
class AdvancedTab : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(ImportDialog)

public:
    explicit AdvancedTab(const ServiceInfo &service, QWidget *parent = nullptr);

    void writeTo(ServiceInfo &service) const;

    // One privilege per line; empty and blank lines are dropped, blanks around a name removed.
    static QStringList privilegesFromText(const QString &text);

private:
    QComboBox *m_typeCombo = nullptr;
    QComboBox *m_errorCombo = nullptr;
    QComboBox *m_sidTypeCombo = nullptr;
    QSpinBox *m_preShutdownSpin = nullptr;
    QComboBox *m_launchProtectedCombo = nullptr;
    QTextEdit *m_privilegesEdit = nullptr;
};
