#pragma once

#include <QCoreApplication>
#include <QWidget>

struct ServiceInfo;
class QComboBox;
class QLineEdit;
class QTextEdit;

// "General": names, description, image path and start type.
class GeneralTab : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(ImportDialog)

public:
    explicit GeneralTab(const ServiceInfo &service, QWidget *parent = nullptr);

    // The texts the OK check looks at, trimmed.
    QString serviceName() const;
    QString binaryPath() const;

    void writeTo(ServiceInfo &service) const;

private:
    QLineEdit *m_nameEdit = nullptr;
    QLineEdit *m_displayNameEdit = nullptr;
    QTextEdit *m_descriptionEdit = nullptr;
    QLineEdit *m_pathEdit = nullptr;
    QComboBox *m_startTypeCombo = nullptr;
};
