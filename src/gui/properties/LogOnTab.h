#pragma once

#include <QCoreApplication>
#include <QWidget>

struct ServiceInfo;
class QLineEdit;
class QRadioButton;

// "Log On": the local system account or a named one. The password fields exist for the look of
// the sheet only; the record has no password and nothing reads them.
class LogOnTab : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(ImportDialog)

public:
    explicit LogOnTab(const ServiceInfo &service, QWidget *parent = nullptr);

    void writeTo(ServiceInfo &service) const;

    // Empty, "LocalSystem" and "NT AUTHORITY\SYSTEM" in any case all name the local system.
    static bool isLocalSystem(const QString &accountName);

private:
    QRadioButton *m_localSystemRadio = nullptr;
    QRadioButton *m_thisAccountRadio = nullptr;
    QLineEdit *m_accountEdit = nullptr;
    QLineEdit *m_passwordEdit = nullptr;
    QLineEdit *m_confirmEdit = nullptr;
};
