#include "AppSettings.h"

#include <QHeaderView>
#include <QLocale>
#include <QSettings>
#include <QTableView>

namespace AppSettings {

namespace {

const QString organisation = QStringLiteral("Quorvantel");
const QString application = QStringLiteral("Ledgerwell");

const QString languageKey = QStringLiteral("language");
const QString geometryKey = QStringLiteral("geometry");
const QString stateKey = QStringLiteral("state");
const QString columnWidthsKey = QStringLiteral("columnWidths");

} // namespace

QString startLanguage()
{
    const QSettings settings(organisation, application);
    const QString fallback = QLocale::system().language() == QLocale::German ? QStringLiteral("de")
                                                                             : QStringLiteral("en");
    return settings.value(languageKey, fallback).toString();
}

void storeLanguage(const QString &code)
{
    QSettings settings(organisation, application);
    settings.setValue(languageKey, code);
}

void storeWindowLayout(const QByteArray &geometry, const QByteArray &state,
                       const QVariantList &columnWidths)
{
    QSettings settings(organisation, application);
    settings.setValue(geometryKey, geometry);
    settings.setValue(stateKey, state);
    settings.setValue(columnWidthsKey, columnWidths);
}

WindowLayout storedWindowLayout()
{
    const QSettings settings(organisation, application);
    WindowLayout layout;
    if (settings.contains(geometryKey))
        layout.geometry = settings.value(geometryKey).toByteArray();
    if (settings.contains(stateKey))
        layout.state = settings.value(stateKey).toByteArray();
    if (settings.contains(columnWidthsKey))
        layout.columnWidths = settings.value(columnWidthsKey).toList();
    return layout;
}

QVariantList columnWidths(const QTableView *table)
{
    QVariantList widths;
    for (int column = 0; column < table->horizontalHeader()->count(); ++column)
        widths.append(table->columnWidth(column));
    return widths;
}

void applyColumnWidths(QTableView *table, const QVariantList &widths)
{
    for (int column = 0; column < int(widths.size()) && column < table->horizontalHeader()->count();
         ++column) {
        bool ok = false;
        const int width = widths.at(column).toInt(&ok);
        if (ok && width > 0)
            table->setColumnWidth(column, width);
    }
}

} // namespace AppSettings
