#include "ListCommand.h"

#include "CommandFiles.h"
#include "CommandLine.h"
#include "Ledgerwell.h"
#include "ServiceEnumerator.h"
#include "ServiceSelection.h"
#include "ServiceTableText.h"

namespace ListCommand {

int run(const QStringList &arguments)
{
    CommandParser parser(
        QStringLiteral("list"), QString(),
        QStringLiteral("Lists the installed services: name, display name, start type, account "
                       "and binary path.\nWith --json, writes them as a JSON service file, byte "
                       "for byte what the window's\nJSON export writes."));
    const QCommandLineOption filter = ServiceSelection::filterOption();
    const QCommandLineOption json(QStringLiteral("json"),
                                  QStringLiteral("Write a JSON service file instead of a table."));
    const QCommandLineOption output = CommandFiles::outputOption();
    parser.addOption(filter);
    parser.addOption(json);
    parser.addOption(output);
    if (const auto done = parser.parse(arguments, 0, 0))
        return *done;

    const QList<ServiceInfo> installed = ServiceEnumerator::enumerate();
    const QList<ServiceInfo> services = ServiceSelection::records(
        installed, ServiceSelection::matching(installed, parser.parser().value(filter)));
    const QString path = parser.parser().value(output);
    if (parser.parser().isSet(json))
        return CommandFiles::write(Ledgerwell::jsonDocument(services), path);
    return CommandFiles::write(ServiceTableText::table(services).toUtf8(), path);
}

} // namespace ListCommand
