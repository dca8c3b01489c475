#include "ChangePreviewDialog.h"

#include "ServiceDiff.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

enum Column { FieldColumn, CurrentColumn, ImportedColumn, ColumnCount };

} // namespace

ChangePreviewDialog::ChangePreviewDialog(const ServiceInfo *installed, const ServiceInfo &imported,
                                         QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("changePreviewDialog"));
    setWindowTitle(tr("Preview: %1").arg(imported.serviceName));
    resize(700, 500);
    auto *layout = new QVBoxLayout(this);

    QList<ServiceDiff::Field> fields;
    auto *heading = new QLabel(this);
    heading->setObjectName(QStringLiteral("headingLabel"));
    layout->addWidget(heading);
    if (installed) {
        heading->setText(tr("Comparing installed service with imported configuration:"));
        fields = ServiceDiff::differences(*installed, imported);
        if (fields.isEmpty()) {
            auto *same = new QLabel(tr("No differences found."), this);
            same->setObjectName(QStringLiteral("noDifferencesLabel"));
            layout->addWidget(same);
        }
    } else {
        heading->setText(
            tr("Service \"%1\" does not exist on this system. It will be created as a new service.")
                .arg(imported.serviceName));
        fields = ServiceDiff::newServiceFields(imported);
    }

    auto *table = new QTableWidget(int(fields.size()), ColumnCount, this);
    table->setObjectName(QStringLiteral("differenceTable"));
    table->setHorizontalHeaderLabels({tr("Field"), tr("Current"), tr("Imported")});
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    for (int row = 0; row < fields.size(); ++row) {
        const ServiceDiff::Field &field = fields.at(row);
        auto *current = new QTableWidgetItem(field.current);
        if (installed)
            current->setForeground(QBrush(Qt::darkRed));
        auto *importedItem = new QTableWidgetItem(field.imported);
        importedItem->setForeground(QBrush(Qt::darkGreen));
        table->setItem(row, FieldColumn, new QTableWidgetItem(field.label));
        table->setItem(row, CurrentColumn, current);
        table->setItem(row, ImportedColumn, importedItem);
    }
    table->resizeColumnsToContents();
    layout->addWidget(table);

    auto *close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close);
}
