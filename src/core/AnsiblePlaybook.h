#pragma once

#include "ServiceInfo.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// The Ansible playbook export: one play over all hosts with one ansible.windows.win_service task
// per service, which sets every field the module can set to the record's value. Passwords are
// never written; a task for an account that needs one reads it from a variable, and a comment at
// the top lists those variables. Fields the module cannot express are left out with a comment.
namespace AnsiblePlaybook {

struct Result
{
    QByteArray text; // UTF-8 with LF line ends; empty when the playbook is refused
    QString error;   // why it is refused, as a whole sentence; empty otherwise
    // The records left out, one entry each, as the batch script names them: record 3 ("X") has
    // no service name.
    QStringList leftOut;
    int serviceCount = 0; // the tasks written

    bool ok() const { return error.isEmpty(); }
};

// The playbook for the services. As in the batch script, records whose service name Windows
// would not accept are left out and named by their position (positions: one 1-based position in
// the file per service, or empty for 1, 2, 3, ...), and the playbook is refused when every record
// is left out, or when a value holds what YAML cannot (half of a UTF-16 surrogate pair).
Result write(const QList<ServiceInfo> &services, const QList<int> &positions = {});

} // namespace AnsiblePlaybook
