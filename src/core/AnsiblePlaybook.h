#pragma once

#include "ServiceInfo.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The Ansible playbook export: one play over all hosts with one ansible.windows.win_service task
// per service, which sets every field the module can set to the record's value. Passwords are
// never written; a task for an account that needs one reads it from a variable, and a comment at
// the top lists those variables. Fields the module cannot express are left out with a comment.
namespace AnsiblePlaybook {

struct Result
{
    QByteArray text;    // UTF-8 with LF line ends; empty when the playbook is refused
    QString error;      // why it is refused, naming the service and the field; empty otherwise
    QList<int> leftOut; // positions of records left out because Windows refuses their name

    bool ok() const { return error.isEmpty(); }
};

Result write(const QList<ServiceInfo> &services);

// False for the accounts Windows runs services under without a password: LocalSystem, Local
// Service, Network Service, virtual accounts (NT SERVICE\...) and managed service accounts
// (ending in $); also for an empty account, which means LocalSystem.
bool accountNeedsPassword(const QString &account);

} // namespace AnsiblePlaybook
