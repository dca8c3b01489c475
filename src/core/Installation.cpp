#include "Installation.h"

#include "InstallReport.h"
#include "ServiceName.h"

#include <QCoreApplication>

#include <utility>

Installation::Installation(Hooks hooks)
    : m_hooks(std::move(hooks))
{
    m_installer.setIdleCallback(m_hooks.idle);
}

void Installation::setTimeouts(const ServiceInstaller::Timeouts &timeouts)
{
    m_installer.setTimeouts(timeouts);
}

void Installation::setBackupFolder(const QString &folder)
{
    m_backupFolder = folder;
}

QList<Installation::Item> Installation::numbered(const QList<ServiceInfo> &services)
{
    QList<Item> items;
    items.reserve(services.size());
    for (qsizetype i = 0; i < services.size(); ++i)
        items.append({int(i + 1), services.at(i)});
    return items;
}

QList<Installation::Item> Installation::usableItems(const QList<Item> &items, QStringList *refusals)
{
    QList<Item> usable;
    for (const Item &item : items) {
        const ServiceName::Problem problem = ServiceName::problem(item.service.serviceName);
        if (problem == ServiceName::Problem::None) {
            usable.append(item);
            continue;
        }
        refusals->append(QCoreApplication::translate("ImportDialog", "%1 %2; it was not installed")
                             .arg(ServiceName::recordLabel(item.position, item.service),
                                  ServiceName::describe(problem)));
    }
    return usable;
}

bool Installation::progress(Phase phase, int index, int count, const QString &serviceName) const
{
    return !m_hooks.progress || m_hooks.progress({phase, index, count, serviceName});
}

Installation::Report Installation::finish(Report report) const
{
    if (m_hooks.report)
        m_hooks.report(report);
    return report;
}

bool Installation::findExisting(const QList<Item> &items, Report &report)
{
    m_installer.clearExisting();
    for (qsizetype i = 0; i < items.size(); ++i) {
        const ServiceInfo &service = items.at(i).service;
        if (!progress(Phase::Checking, int(i), int(items.size()), service.serviceName)) {
            report.ending = Report::Ending::Cancelled;
            return false;
        }
        ToolRun failed;
        if (!m_installer.lookUp(service, &failed)) {
            m_installer.clearExisting();
            report.ending = Report::Ending::QueryFailed;
            report.text =
                QCoreApplication::translate(
                    "ImportDialog", "Cannot find out which services already exist, so nothing "
                                    "was changed:\n%1")
                    .arg(InstallReport::runDetail(failed));
            return false;
        }
    }
    return true;
}

Installation::Report Installation::run(const QList<Item> &items)
{
    Report report;
    report.total = int(items.size());
    if (items.isEmpty()) {
        report.ending = Report::Ending::NothingSelected;
        report.text = QCoreApplication::translate("ImportDialog", "No services selected.");
        return finish(report);
    }

    QStringList refusals;
    const QList<Item> usable = usableItems(items, &refusals);
    report.errorLines = refusals;
    if (!findExisting(usable, report))
        return finish(report);

    const QStringList existing = m_installer.existingNames();
    if (!existing.isEmpty()) {
        const QString backupPath = ServiceInstaller::newBackupPath(m_backupFolder);
        if (!m_hooks.confirmReplace || !m_hooks.confirmReplace(existing, backupPath)) {
            report.ending = Report::Ending::Declined;
            return finish(report);
        }
        if (!progress(Phase::Saving, 0, 1, QString())) {
            report.ending = Report::Ending::Cancelled;
            return finish(report);
        }
        QStringList unreadable;
        QString error;
        if (!m_installer.backUpExisting(backupPath, &unreadable, &error)) {
            report.ending = Report::Ending::BackupFailed;
            report.text =
                unreadable.isEmpty()
                    ? QCoreApplication::translate("ImportDialog", "%1\n\nNothing was changed.")
                          .arg(error)
                    : QCoreApplication::translate(
                          "ImportDialog",
                          "The current configuration of these services cannot be read, "
                          "so they cannot be saved before they are replaced:\n\n%1\n\n"
                          "Nothing was changed.")
                          .arg(unreadable.join(u'\n'));
            return finish(report);
        }
        report.backupPath = backupPath;
    }

    for (qsizetype i = 0; i < usable.size(); ++i) {
        const ServiceInfo &service = usable.at(i).service;
        if (!progress(Phase::Installing, int(i), int(usable.size()), service.serviceName)) {
            for (qsizetype j = i; j < usable.size(); ++j)
                report.notTouched.append(usable.at(j).service.serviceName);
            break;
        }
        const ServiceInstaller::Result result = m_installer.install(service);
        if (result.created())
            ++report.installed;
        report.errorLines +=
            InstallReport::errorLines(service.serviceName, result, m_installer.timeouts());
    }
    report.text = InstallReport::summary(report.installed, report.total, report.errorLines,
                                         report.backupPath, report.notTouched);
    return finish(report);
}

bool Installation::plan(const QList<Item> &items, QList<ServiceCommand> *commands, Report *report)
{
    Report result;
    result.total = int(items.size());
    const QList<Item> usable = usableItems(items, &result.errorLines);
    const bool found = findExisting(usable, result);
    if (found && commands)
        *commands = commandsFor(usable, m_installer.existingNames());
    m_installer.clearExisting();
    if (report)
        *report = result;
    return found;
}

QList<ServiceCommand> Installation::commandsFor(const QList<Item> &items,
                                                const QStringList &existing)
{
    QStringList toReplace = existing;
    QList<ServiceCommand> commands;
    for (const Item &item : items) {
        const QString &name = item.service.serviceName;
        if (ServiceName::problem(name) != ServiceName::Problem::None)
            continue;
        // Replaced once: a second record of the name meets the service the first one created.
        const qsizetype replaced = toReplace.removeIf(
            [&name](const QString &existingName) { return ServiceName::same(existingName, name); });
        if (replaced > 0)
            commands << ServiceCommands::stop(name) << ServiceCommands::remove(name);
        commands += ServiceCommands::install(item.service);
    }
    return commands;
}
