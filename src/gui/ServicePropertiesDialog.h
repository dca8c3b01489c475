#pragma once

#include <QCoreApplication>
#include <QDialog>

struct ServiceInfo;
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

    // Every field of the record from the widgets, also the ones not touched.
    void writeTo(ServiceInfo &service) const;

private:
    void checkAndAccept();

    GeneralTab *m_general = nullptr;
    LogOnTab *m_logOn = nullptr;
    RecoveryTab *m_recovery = nullptr;
    DependenciesTab *m_dependencies = nullptr;
    AdvancedTab *m_advanced = nullptr;
};
