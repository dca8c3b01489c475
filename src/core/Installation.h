#pragma once

#include "ServiceCommands.h"
#include "ServiceInfo.h"
#include "ServiceInstaller.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// One installation of imported records on this machine, from the first question to the closing
// report, as the import dialog's "Install Services" runs it and the console program's install
// command does:
//
//  1. Records whose service name Windows does not accept are refused (named by their position in
//     their file and their display name); the others go on.
//  2. Existence pass: `sc query` for each record.
//  3. When services are to be replaced: the confirmation, then the backup of every one of them,
//     read back before anything is deleted.
//  4. Each record in turn: stop, wait, delete, create, follow-up steps, restore on a failed
//     create (ServiceInstaller).
//  5. The closing report.
//
// Nothing here shows anything: the caller supplies the hooks below and shows what they hand it.
// Texts are translated in the context "ImportDialog".
class Installation
{
public:
    // One record to install and where it stands in its file (1-based), for messages about
    // records that cannot be installed.
    struct Item
    {
        int position = 0;
        ServiceInfo service;
    };

    enum class Phase {
        Checking,  // the existence pass, one call per record
        Saving,    // the backup of the services to be replaced, one call
        Installing // one call per record before it is installed
    };

    struct Progress
    {
        Phase phase = Phase::Checking;
        int index = 0; // 0-based, of count
        int count = 0;
        QString serviceName; // the record's own spelling; empty for Phase::Saving
    };

    struct Report
    {
        enum class Ending {
            Finished,        // the records were installed (all, or up to a cancel); see text
            NothingSelected, // no records were given
            Declined,        // the user did not confirm the replacement
            Cancelled,       // cancelled before anything was changed
            QueryFailed,     // the existence pass could not be made; nothing was changed
            BackupFailed     // the backup could not be written or read back; nothing was changed
        };

        Ending ending = Ending::Finished;
        int total = 0;     // the records given
        int installed = 0; // the records now created from the file
        QStringList errorLines;
        // After a cancel during the installation: the records not begun, by their service names.
        QStringList notTouched;
        QString backupPath; // the backup written, or empty when nothing was replaced
        // What to tell the user: the closing report for Finished, why nothing was changed for
        // NothingSelected, QueryFailed and BackupFailed; empty for Declined and Cancelled.
        QString text;

        // Whether the text tells of a refusal (a warning) rather than of a result.
        bool isRefusal() const { return ending != Ending::Finished; }
        // Records given but not installed: refused, failed, or not reached after a cancel.
        int notInstalled() const { return total - installed; }
    };

    struct Hooks
    {
        // Asked once, after the existence pass and before anything is changed, when services
        // are to be replaced: their names (each once, the records' spelling) and the file their
        // current configuration will be saved to. True goes on; false ends the installation with
        // Ending::Declined. Without this hook nothing is replaced: the installation ends as
        // declined.
        std::function<bool(const QStringList &names, const QString &backupPath)> confirmReplace;
        // Called before each step of the work (see Phase). False cancels: during the existence
        // pass and the backup nothing has been changed yet (Ending::Cancelled); during the
        // installation the records already done stay as they are, the others are not touched,
        // and the report says so and names them (notTouched). Optional.
        std::function<bool(const Progress &)> progress;
        // Called again and again while a tool runs or the installer waits for a service (every
        // few milliseconds), so that a window stays painted and a cancel is seen. It must not
        // start another installation. Optional.
        std::function<void()> idle;
        // Called once at the end of every run with what run() returns. Optional.
        std::function<void(const Report &)> report;
    };

    explicit Installation(Hooks hooks);

    void setTimeouts(const ServiceInstaller::Timeouts &timeouts);
    // The folder the backup goes to; the application's backup folder unless set.
    void setBackupFolder(const QString &folder);

    // Records in file order, numbered from 1.
    static QList<Item> numbered(const QList<ServiceInfo> &services);

    // Installs the records, in order.
    Report run(const QList<Item> &items);

    // The commands an installation of these records would run, in order, without running any of
    // them: for each record that exists, stop and delete before the create, then the create and
    // its follow-up steps. Only the existence pass is made (it changes nothing). Records that
    // would be refused are left out and named in the report's error lines. False, with the
    // report saying why, when the existence pass could not be made or was cancelled.
    bool plan(const QList<Item> &items, QList<ServiceCommand> *commands, Report *report);
    // The same for names already known to exist (compared without regard to case).
    static QList<ServiceCommand> commandsFor(const QList<Item> &items, const QStringList &existing);

private:
    // Sorts out the records without a usable name; their error lines go to refusals.
    static QList<Item> usableItems(const QList<Item> &items, QStringList *refusals);
    // The existence pass over items; false, with report filled, when it could not be made.
    bool findExisting(const QList<Item> &items, Report &report);
    bool progress(Phase phase, int index, int count, const QString &serviceName) const;
    Report finish(Report report) const;

    Hooks m_hooks;
    ServiceInstaller m_installer;
    QString m_backupFolder;
};
