#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>

#include <optional>

class QTableView;

// The program's settings store: the interface language and the main window's layout. Every
// call opens the store and closes it again, so nothing stale is ever kept.
namespace AppSettings {

// The stored interface language, else "de" in a German system locale and "en" otherwise.
QString startLanguage();
void storeLanguage(const QString &code);

struct WindowLayout
{
    std::optional<QByteArray> geometry;
    std::optional<QByteArray> state;
    std::optional<QVariantList> columnWidths;
};

void storeWindowLayout(const QByteArray &geometry, const QByteArray &state,
                       const QVariantList &columnWidths);
// Only the keys present in the store are filled in.
WindowLayout storedWindowLayout();

// The widths of the table's columns, column 0 first, as the store keeps them.
QVariantList columnWidths(const QTableView *table);
// Sets the leading columns from widths; entries past the last column are ignored, and an
// entry that is not a positive number leaves its column as it is rather than hiding it.
void applyColumnWidths(QTableView *table, const QVariantList &widths);

} // namespace AppSettings
