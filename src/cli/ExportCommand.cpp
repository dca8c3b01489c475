#include "ExportCommand.h"

#include "AnsiblePlaybook.h"
#include "CommandFiles.h"
#include "CommandLine.h"
#include "Console.h"
#include "Ledgerwell.h"
#include "ServiceEnumerator.h"
#include "ServiceSelection.h"

#include <QCoreApplication>

namespace {

enum class Format { Json, Batch, Ansible };

struct Options
{
    QCommandLineOption format{QStringLiteral("format"), QString(), QStringLiteral("FORMAT")};
    QCommandLineOption service = ServiceSelection::serviceOption();
    QCommandLineOption output = CommandFiles::outputOption();
};

// The format option's value, or nothing after a usage error.
std::optional<Format> format(const CommandParser &parser, const Options &options, bool json,
                             int *exitCode)
{
    const QString value = parser.parser().value(options.format);
    const QString choices =
        json ? QStringLiteral("json, batch or ansible") : QStringLiteral("batch or ansible");
    if (value.isEmpty()) {
        *exitCode =
            parser.usageError(QStringLiteral("Give the format with --format %1.").arg(choices));
        return std::nullopt;
    }
    if (json && value == u"json")
        return Format::Json;
    if (value == u"batch")
        return Format::Batch;
    if (value == u"ansible")
        return Format::Ansible;
    *exitCode =
        parser.usageError(QStringLiteral("Unknown format '%1': give %2.").arg(value, choices));
    return std::nullopt;
}

// Writes the records at the positions of the list, as the window's writers do: records whose
// name Windows refuses are left out with a message naming them by their position in the list,
// and a refusal writes nothing.
int writeServices(const QList<ServiceInfo> &list, const QList<int> &positions, Format format,
                  const QString &output)
{
    const QList<ServiceInfo> services = ServiceSelection::records(list, positions);
    QList<int> filePositions;
    for (int position : positions)
        filePositions.append(position + 1);

    QByteArray result;
    QString refusal;
    QStringList leftOut;
    switch (format) {
    case Format::Json:
        result = Ledgerwell::jsonDocument(services);
        break;
    case Format::Batch: {
        BatchScript::Script script = Ledgerwell::batchScript(services, filePositions);
        result = script.bytes;
        refusal = script.refusal;
        leftOut = script.leftOut;
        break;
    }
    case Format::Ansible: {
        const AnsiblePlaybook::Result playbook = AnsiblePlaybook::write(services, filePositions);
        result = playbook.text;
        refusal = playbook.error;
        leftOut = playbook.leftOut;
        break;
    }
    }
    if (!refusal.isEmpty()) {
        Console::error(refusal);
        return ExitCode::Refused;
    }
    for (const QString &record : std::as_const(leftOut))
        Console::error(record + QStringLiteral("; it was left out."));
    return CommandFiles::write(result, output);
}

} // namespace

namespace ExportCommand {

int runExport(const QStringList &arguments)
{
    CommandParser parser(QStringLiteral("export"), QString(),
                         QStringLiteral("Writes installed services (all, those matching the "
                                        "filter, or the named ones) as a\nJSON service file, a "
                                        "batch script of sc commands or an Ansible playbook."));
    Options options;
    options.format.setDescription(QStringLiteral("json, batch or ansible."));
    const QCommandLineOption filter = ServiceSelection::filterOption();
    parser.addOption(options.format);
    parser.addOption(filter);
    parser.addOption(options.service);
    parser.addOption(options.output);
    if (const auto done = parser.parse(arguments, 0, 0))
        return *done;
    int exitCode = ExitCode::Done;
    const std::optional<Format> chosen = format(parser, options, true, &exitCode);
    if (!chosen)
        return exitCode;
    const QStringList names = parser.parser().values(options.service);
    if (!names.isEmpty() && parser.parser().isSet(filter))
        return parser.usageError(QStringLiteral("Give either --filter or --service, not both."));

    const QList<ServiceInfo> installed = ServiceEnumerator::enumerate();
    QList<int> positions = ServiceSelection::all(installed);
    if (parser.parser().isSet(filter)) {
        const QString text = parser.parser().value(filter);
        positions = ServiceSelection::matching(installed, text);
        if (positions.isEmpty()) {
            Console::error(QStringLiteral("No installed service matches the filter \"%1\"; "
                                          "nothing was written.")
                               .arg(text));
            return ExitCode::Refused;
        }
    } else if (!names.isEmpty()) {
        QString unknown;
        if (!ServiceSelection::named(installed, names, &positions, &unknown)) {
            Console::error(QStringLiteral("No installed service is named \"%1\"; nothing was "
                                          "written.")
                               .arg(unknown));
            return ExitCode::Refused;
        }
    }
    return writeServices(installed, positions, *chosen, parser.parser().value(options.output));
}

int runConvert(const QStringList &arguments)
{
    CommandParser parser(QStringLiteral("convert"), QStringLiteral("FILE.json"),
                         QStringLiteral("Turns the services of a JSON service file into a batch "
                                        "script of sc commands or an\nAnsible playbook."));
    Options options;
    options.format.setDescription(QStringLiteral("batch or ansible."));
    parser.addPositionalArgument(QStringLiteral("FILE.json"),
                                 QStringLiteral("The JSON service file."));
    parser.addOption(options.format);
    parser.addOption(options.service);
    parser.addOption(options.output);
    if (const auto done = parser.parse(arguments, 1, 1))
        return *done;
    int exitCode = ExitCode::Done;
    const std::optional<Format> chosen = format(parser, options, false, &exitCode);
    if (!chosen)
        return exitCode;

    const std::optional<ServiceSelection::FileRecords> file = ServiceSelection::fromFile(
        parser.parser().positionalArguments().constFirst(), parser.parser().values(options.service),
        QStringLiteral("nothing was written"));
    if (!file)
        return ExitCode::Refused;
    return writeServices(file->services, file->positions, *chosen,
                         parser.parser().value(options.output));
}

} // namespace ExportCommand
