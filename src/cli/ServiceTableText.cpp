#include "ServiceTableText.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace ServiceTableText {

QString printable(const QString &text)
{
    QString result;
    result.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\n')
            result += QStringLiteral("\\n");
        else if (u == u'\r')
            result += QStringLiteral("\\r");
        else if (u == u'\t')
            result += QStringLiteral("\\t");
        else if (u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029)
            result += QStringLiteral("\\x{%1}").arg(QString::number(uint(u), 16).toUpper());
        else
            result += c;
    }
    return result;
}

QString table(const QList<ServiceInfo> &services)
{
    constexpr int ColumnCount = 5;
    using Row = std::array<QString, ColumnCount>;
    QList<Row> rows{{QStringLiteral("Name"), QStringLiteral("Display Name"),
                     QStringLiteral("Start Type"), QStringLiteral("Account"),
                     QStringLiteral("Binary Path")}};
    for (const ServiceInfo &s : services) {
        rows.append({printable(s.serviceName), printable(s.displayName), printable(s.startType),
                     printable(s.accountName), printable(s.binaryPath)});
    }

    std::array<qsizetype, ColumnCount> widths = {};
    for (const Row &row : std::as_const(rows)) {
        for (int column = 0; column < ColumnCount; ++column)
            widths[column] = std::max(widths[column], row[column].size());
    }

    QString text;
    for (const Row &row : std::as_const(rows)) {
        QString line;
        for (int column = 0; column < ColumnCount - 1; ++column)
            line += row[column].leftJustified(widths[column] + 2);
        line += row[ColumnCount - 1];
        // Blanks after the last text of a line are noise in a terminal and in diffs.
        while (line.endsWith(u' '))
            line.chop(1);
        text += line + u'\n';
    }
    return text;
}

} // namespace ServiceTableText
