#pragma once

#include "ServiceInfo.h"

#include <QCoreApplication>
#include <QDialog>

class AdvancedTab;
class DependenciesTab;
class GeneralTab;
class LogOnTab;
class RecoveryTab;

// The properties sheet of one imported service: five tabs over a copy of the record. OK is
// accepted only with a service name and an image path; the caller then takes the values with
// writeTo().
class ServicePropertiesDialog : public QDialog
{
    Q_DECLARE_TR_FUNCTIONS(ImportDialog)

public:
    explicit ServicePropertiesDialog(const ServiceInfo &service, QWidget *parent = nullptr);

    // Every field of the record from the widgets; a field whose widget the user left as it
    // was comes back exactly as the record held it.
    void writeTo(ServiceInfo &service) const;

private:
    void checkAndAccept();
    // What the widgets hold, as a record.
    void readWidgets(ServiceInfo &service) const;

    ServiceInfo m_original;
    ServiceInfo m_shown; // what the widgets showed at first

    GeneralTab *m_general = nullptr;
    LogOnTab *m_logOn = nullptr;
    RecoveryTab *m_recovery = nullptr;
    DependenciesTab *m_dependencies = nullptr;
    AdvancedTab *m_advanced = nullptr;
};
