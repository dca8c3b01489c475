#include "DiffCommand.h"

#include "CommandFiles.h"
#include "CommandLine.h"
#include "DiffReport.h"
#include "ServiceEnumerator.h"
#include "ServiceListDiff.h"

namespace DiffCommand {

int run(const QStringList &arguments)
{
    CommandParser parser(
        QStringLiteral("diff"), QStringLiteral("FILE.json [OTHER.json]"),
        QStringLiteral("Compares the services of FILE.json with the installed services, or with "
                       "those of\nOTHER.json: which are missing (only in FILE.json), which are "
                       "extra, and every\nfield that differs, with both values, as the import "
                       "dialog's preview shows them.\nService names match in any case, as on "
                       "Windows. Exit status 0 when there is no\ndifference, 1 when there is."));
    parser.addPositionalArgument(QStringLiteral("FILE.json"),
                                 QStringLiteral("The JSON service file to compare."));
    parser.addPositionalArgument(QStringLiteral("OTHER.json"),
                                 QStringLiteral("The JSON service file to compare it with; the "
                                                "installed services when left out."));
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Write the comparison as a JSON document."));
    const QCommandLineOption ignoreExtra(
        QStringLiteral("ignore-extra"),
        QStringLiteral("Leave out the services that only the other side has, so that a file of "
                       "a few services can be checked against a whole machine."));
    parser.addOption(json);
    parser.addOption(ignoreExtra);
    if (const auto done = parser.parse(arguments, 1, 2))
        return *done;

    const QStringList files = parser.parser().positionalArguments();
    const std::optional<QList<ServiceInfo>> first =
        CommandFiles::read(files.at(0), CommandFiles::Empty::Allowed);
    if (!first)
        return ExitCode::Refused;
    std::optional<QList<ServiceInfo>> second;
    if (files.size() > 1)
        second = CommandFiles::read(files.at(1), CommandFiles::Empty::Allowed);
    else
        second = ServiceEnumerator::enumerate();
    if (!second)
        return ExitCode::Refused;

    QList<ServiceListDiff::Entry> entries = ServiceListDiff::compare(*first, *second);
    if (parser.parser().isSet(ignoreExtra)) {
        entries.removeIf([](const ServiceListDiff::Entry &entry) {
            return entry.status == ServiceListDiff::Entry::Status::OnlyInSecond;
        });
    }
    const DiffReport::Sides sides{files.at(0), files.value(1)};
    const QByteArray report = parser.parser().isSet(json)
                                  ? DiffReport::json(entries, sides)
                                  : DiffReport::text(entries, sides).toUtf8();
    const int written = CommandFiles::write(report, QString());
    if (written != ExitCode::Done)
        return written;
    return ServiceListDiff::identical(entries) ? ExitCode::Done : ExitCode::Incomplete;
}

} // namespace DiffCommand
