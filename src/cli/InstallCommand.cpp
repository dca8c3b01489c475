#include "InstallCommand.h"

#include "CommandFiles.h"
#include "CommandLine.h"
#include "CommandText.h"
#include "Console.h"
#include "ConsolePlatform.h"
#include "Installation.h"
#include "ServiceSelection.h"

#include <QCoreApplication>
#include <QDir>

namespace {

using Ending = Installation::Report::Ending;

bool interruptRequested()
{
    return ConsolePlatform::interrupted();
}

// Asks on the terminal whether the services may be replaced; anything but yes is no.
bool confirmOnTerminal(const QStringList &names, const QString &backupPath)
{
    QString question =
        QCoreApplication::translate("ImportDialog",
                                    "The following services already exist and will be deleted and "
                                    "recreated:")
        + u'\n';
    for (const QString &name : names)
        question += QStringLiteral("  ") + name + u'\n';
    question += QCoreApplication::translate("ImportDialog",
                                            "Their current configuration will be saved to:\n%1")
                    .arg(QDir::toNativeSeparators(backupPath));
    question += QStringLiteral("\nReplace them? [y/N] ");
    Console::note(question);
    QString answer;
    if (!Console::readLine(&answer)) {
        Console::note(QStringLiteral("\n"));
        return false;
    }
    answer = answer.trimmed();
    return answer.compare(u"y", Qt::CaseInsensitive) == 0
           || answer.compare(u"yes", Qt::CaseInsensitive) == 0;
}

void showProgress(const Installation::Progress &step)
{
    switch (step.phase) {
    case Installation::Phase::Checking:
        Console::note(
            QCoreApplication::translate("ImportDialog", "Checking %1...").arg(step.serviceName)
            + u'\n');
        break;
    case Installation::Phase::Saving:
        Console::note(
            QCoreApplication::translate("ImportDialog", "Saving the current configuration...")
            + u'\n');
        break;
    case Installation::Phase::Installing:
        Console::note(
            QCoreApplication::translate("ImportDialog", "Installing %1...").arg(step.serviceName)
            + u'\n');
        break;
    }
}

Installation::Hooks progressHooks()
{
    Installation::Hooks hooks;
    const bool onTerminal = ConsolePlatform::isTerminal(ConsolePlatform::Stream::Error);
    hooks.progress = [onTerminal](const Installation::Progress &step) {
        // After Ctrl+C the step does not begin, so it is not shown either.
        if (interruptRequested())
            return false;
        if (onTerminal)
            showProgress(step);
        return true;
    };
    return hooks;
}

int dryRun(const QList<Installation::Item> &items)
{
    Installation installation(progressHooks());
    QList<ServiceCommand> commands;
    Installation::Report report;
    if (!installation.plan(items, &commands, &report)) {
        Console::error(report.ending == Ending::Cancelled
                           ? QStringLiteral("Interrupted; nothing was changed.")
                           : report.text);
        return ExitCode::Refused;
    }
    QString lines;
    for (const ServiceCommand &command : std::as_const(commands))
        lines += CommandText::line(command) + u'\n';
    for (const QString &refusal : std::as_const(report.errorLines))
        Console::error(refusal);
    const int written = CommandFiles::write(lines.toUtf8(), QString());
    if (written != ExitCode::Done)
        return written;
    return report.errorLines.isEmpty() ? ExitCode::Done : ExitCode::Incomplete;
}

int install(const QList<Installation::Item> &items, bool confirmed)
{
    if (!ConsolePlatform::hasAdministratorRights()) {
        Console::error(QStringLiteral("Installing services needs administrator rights: run "
                                      "ledgerwell-cli from an elevated prompt (Run as "
                                      "administrator). Nothing was changed."));
        return ExitCode::Refused;
    }

    Installation::Hooks hooks = progressHooks();
    QStringList unconfirmed;
    hooks.confirmReplace = [confirmed, &unconfirmed](const QStringList &names,
                                                     const QString &backupPath) {
        if (confirmed)
            return true;
        if (ConsolePlatform::isTerminal(ConsolePlatform::Stream::Input))
            return confirmOnTerminal(names, backupPath);
        unconfirmed = names;
        return false;
    };
    Installation installation(hooks);
    const Installation::Report report = installation.run(items);

    switch (report.ending) {
    case Ending::Finished:
        // The services are installed whether or not the report can be written.
        CommandFiles::write((report.text + u'\n').toUtf8(), QString());
        return report.notInstalled() == 0 ? ExitCode::Done : ExitCode::Incomplete;
    case Ending::Declined:
        if (!unconfirmed.isEmpty()) {
            Console::error(QStringLiteral("These services already exist and would be replaced: "
                                          "%1. There is no terminal to confirm on: give --yes to "
                                          "replace them. Nothing was changed.")
                               .arg(unconfirmed.join(QStringLiteral(", "))));
        } else {
            Console::error(QStringLiteral("Nothing was changed."));
        }
        return ExitCode::Refused;
    case Ending::Cancelled:
        Console::error(QStringLiteral("Interrupted; nothing was changed."));
        return ExitCode::Refused;
    case Ending::NothingSelected:
    case Ending::QueryFailed:
    case Ending::BackupFailed:
        break;
    }
    Console::error(report.text);
    return ExitCode::Refused;
}

} // namespace

namespace InstallCommand {

int run(const QStringList &arguments)
{
    CommandParser parser(
        QStringLiteral("install"), QStringLiteral("FILE.json"),
        QStringLiteral(
            "Installs the services of FILE.json on this machine, as the import dialog's\n"
            "\"Install Services\" does: services that exist are saved to a backup file, stopped,\n"
            "deleted and created anew; a failed create puts the saved service back. The report\n"
            "goes to standard output. Services to be replaced are confirmed on the terminal;\n"
            "without one, nothing is replaced unless --yes is given. Ctrl+C stops after the\n"
            "service in hand. Exit status 0 when every service was installed, 1 when one was\n"
            "not, 2 when nothing was changed."));
    parser.addPositionalArgument(QStringLiteral("FILE.json"),
                                 QStringLiteral("The JSON service file."));
    const QCommandLineOption service = ServiceSelection::serviceOption();
    const QCommandLineOption yes(QStringLiteral("yes"),
                                 QStringLiteral("Replace services that exist without asking."));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral("Print the sc and reg commands the installation would run, one per line, "
                       "and change nothing (only sc query is run)."));
    parser.addOption(service);
    parser.addOption(yes);
    parser.addOption(dryRun);
    if (const auto done = parser.parse(arguments, 1, 1))
        return *done;

    const std::optional<ServiceSelection::FileRecords> file = ServiceSelection::fromFile(
        parser.parser().positionalArguments().constFirst(), parser.parser().values(service),
        QStringLiteral("nothing was changed"));
    if (!file)
        return ExitCode::Refused;
    QList<Installation::Item> items;
    for (int position : file->positions)
        items.append({position + 1, file->services.at(position)});

    ConsolePlatform::catchInterrupts();
    if (parser.parser().isSet(dryRun))
        return ::dryRun(items);
    return install(items, parser.parser().isSet(yes));
}

} // namespace InstallCommand
