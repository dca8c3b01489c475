#include "ServiceDiff.h"

#include "ServiceCommands.h"
#include "ServiceName.h"

#include <QCoreApplication>

namespace {

QString label(const char *text)
{
    return QCoreApplication::translate("ImportDialog", text);
}

// One compared field: its key in the JSON service file, its label and how a record's value reads.
struct FieldRule
{
    const char *key;
    const char *label;
    QString (*text)(const ServiceInfo &);
    bool shownForNewService;
};

const FieldRule fieldRules[] = {
    {"serviceName", QT_TRANSLATE_NOOP("ImportDialog", "Service Name"),
     [](const ServiceInfo &s) { return s.serviceName; }, true},
    {"displayName", QT_TRANSLATE_NOOP("ImportDialog", "Display Name"),
     [](const ServiceInfo &s) { return s.displayName; }, true},
    {"description", QT_TRANSLATE_NOOP("ImportDialog", "Description"),
     [](const ServiceInfo &s) { return s.description; }, true},
    {"binaryPath", QT_TRANSLATE_NOOP("ImportDialog", "Binary Path"),
     [](const ServiceInfo &s) { return s.binaryPath; }, true},
    {"startType", QT_TRANSLATE_NOOP("ImportDialog", "Startup Type"),
     [](const ServiceInfo &s) { return s.startType; }, true},
    {"serviceType", QT_TRANSLATE_NOOP("ImportDialog", "Service Type"),
     [](const ServiceInfo &s) { return s.serviceType; }, true},
    {"errorControl", QT_TRANSLATE_NOOP("ImportDialog", "Error Control"),
     [](const ServiceInfo &s) { return s.errorControl; }, true},
    {"accountName", QT_TRANSLATE_NOOP("ImportDialog", "Account"),
     [](const ServiceInfo &s) { return s.accountName; }, true},
    {"dependencies", QT_TRANSLATE_NOOP("ImportDialog", "Dependencies"),
     [](const ServiceInfo &s) { return ServiceDiff::formatList(s.dependencies); }, true},
    {"loadOrderGroup", QT_TRANSLATE_NOOP("ImportDialog", "Load Order Group"),
     [](const ServiceInfo &s) { return s.loadOrderGroup; }, true},
    {"failureResetDays", QT_TRANSLATE_NOOP("ImportDialog", "Failure Reset"),
     [](const ServiceInfo &s) { return ServiceDiff::formatResetDays(s.failureResetDays); }, false},
    {"firstFailure", QT_TRANSLATE_NOOP("ImportDialog", "First Failure"),
     [](const ServiceInfo &s) { return ServiceDiff::formatFailureAction(s.firstFailure); }, true},
    {"secondFailure", QT_TRANSLATE_NOOP("ImportDialog", "Second Failure"),
     [](const ServiceInfo &s) { return ServiceDiff::formatFailureAction(s.secondFailure); }, true},
    {"subsequentFailure", QT_TRANSLATE_NOOP("ImportDialog", "Subsequent Failures"),
     [](const ServiceInfo &s) { return ServiceDiff::formatFailureAction(s.subsequentFailure); },
     true},
    {"failureCommand", QT_TRANSLATE_NOOP("ImportDialog", "Failure Command"),
     [](const ServiceInfo &s) { return s.failureCommand; }, false},
    {"failureCommandParams", QT_TRANSLATE_NOOP("ImportDialog", "Failure Params"),
     [](const ServiceInfo &s) { return s.failureCommandParams; }, false},
    {"failureRebootMessage", QT_TRANSLATE_NOOP("ImportDialog", "Reboot Message"),
     [](const ServiceInfo &s) { return s.failureRebootMessage; }, false},
    {"sidType", QT_TRANSLATE_NOOP("ImportDialog", "SID Type"),
     [](const ServiceInfo &s) { return s.sidType; }, true},
    {"preShutdownTimeout", QT_TRANSLATE_NOOP("ImportDialog", "Pre-Shutdown Timeout"),
     [](const ServiceInfo &s) {
         return ServiceDiff::formatPreShutdownTimeout(s.preShutdownTimeout);
     },
     false},
    {"requiredPrivileges", QT_TRANSLATE_NOOP("ImportDialog", "Required Privileges"),
     [](const ServiceInfo &s) { return ServiceDiff::formatList(s.requiredPrivileges); }, false},
    {"launchProtected", QT_TRANSLATE_NOOP("ImportDialog", "Launch Protected"),
     [](const ServiceInfo &s) { return s.launchProtected; }, false},
};

} // namespace

namespace ServiceDiff {

QString formatList(const QStringList &entries)
{
    return entries.join(QStringLiteral(", "));
}

QString formatFailureAction(const FailureAction &action)
{
    if (!ServiceCommands::isFailureActionSet(action))
        return QStringLiteral("none");
    // One step, so that a type word holding "%1" is not taken for a placeholder.
    return QStringLiteral("%1 (%2 ms)").arg(action.type, QString::number(action.delayMs));
}

QString formatResetDays(int days)
{
    return QString::number(days) + QCoreApplication::translate("ImportDialog", " days");
}

QString formatPreShutdownTimeout(int milliseconds)
{
    return QString::number(milliseconds) + QStringLiteral(" ms");
}

const ServiceInfo *findInstalled(const QList<ServiceInfo> &installed, const QString &serviceName)
{
    for (const ServiceInfo &service : installed) {
        if (ServiceName::same(service.serviceName, serviceName))
            return &service;
    }
    return nullptr;
}

QList<Field> compare(const ServiceInfo &installed, const ServiceInfo &imported)
{
    QList<Field> fields;
    for (const FieldRule &rule : fieldRules)
        fields.append({label(rule.label), rule.text(installed), rule.text(imported),
                       QLatin1String(rule.key)});
    return fields;
}

QList<Field> differences(const ServiceInfo &installed, const ServiceInfo &imported)
{
    QList<Field> fields = compare(installed, imported);
    fields.removeIf([](const Field &field) { return field.current == field.imported; });
    return fields;
}

int countDifferences(const ServiceInfo &installed, const ServiceInfo &imported)
{
    int count = 0;
    for (const FieldRule &rule : fieldRules)
        count += rule.text(installed) != rule.text(imported) ? 1 : 0;
    return count;
}

QList<Field> newServiceFields(const ServiceInfo &imported)
{
    QList<Field> fields;
    for (const FieldRule &rule : fieldRules) {
        const QString text = rule.text(imported);
        if (rule.shownForNewService && !text.isEmpty())
            fields.append(
                {label(rule.label), QString(QChar(0x2014)), text, QLatin1String(rule.key)});
    }
    return fields;
}

} // namespace ServiceDiff
