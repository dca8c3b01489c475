#pragma once

#include <QCoreApplication>
#include <QWidget>

struct ServiceInfo;
class QLineEdit;
class QListWidget;

// "Dependencies": the services and groups the service depends on, and its own load order group.
class DependenciesTab : public QWidget
{
    Q_DECLARE_TR_FUNCTIONS(ImportDialog)

public:
    explicit DependenciesTab(const ServiceInfo &service, QWidget *parent = nullptr);

    void writeTo(ServiceInfo &service) const;

private:
    void addDependency();
    void removeDependency();

    QListWidget *m_list = nullptr;
    QLineEdit *m_groupEdit = nullptr;
};
