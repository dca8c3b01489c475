#include "BatchExportCommand.h"

#include "Ledgerwell.h"
#include "MessageBox.h"

#include <QCoreApplication>
#include <QDir>

namespace BatchExportCommand {

bool run(QWidget *parent, const QString &path, const QList<ServiceInfo> &services,
         const QList<int> &positions)
{
    const QString title = QCoreApplication::translate("ImportDialog", "Export");
    const BatchScript::Script script = Ledgerwell::batchScript(services, positions);
    if (script.isRefused()) {
        MessageBox::warning(parent, title, script.refusal);
        return false;
    }
    QString error;
    if (!Ledgerwell::writeFile(path, script.bytes, &error)) {
        MessageBox::warning(
            parent, title,
            QCoreApplication::translate("ImportDialog", "Cannot write file %1:\n%2.")
                .arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    const QString written =
        QCoreApplication::translate("ImportDialog", "Exported %1 services to:\n%2")
            .arg(script.serviceCount)
            .arg(path);
    if (script.leftOut.isEmpty())
        MessageBox::information(parent, title, written);
    else
        MessageBox::warning(parent, title,
                            written + QStringLiteral("\n\n")
                                + BatchScript::leftOutNote(script.leftOut));
    return true;
}

} // namespace BatchExportCommand
