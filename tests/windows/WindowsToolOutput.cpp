#include "WindowsToolOutput.h"

namespace WindowsToolOutput {

namespace {

// The quoted text at the start of `value` and where it ends.
std::optional<QString> readQuoted(const QString &value, qsizetype &position)
{
    if (position >= value.size() || value.at(position) != u'"')
        return std::nullopt;
    QString text;
    for (qsizetype i = position + 1; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'"') {
            position = i + 1;
            return text;
        }
        if (c != u'\\') {
            text.append(c);
            continue;
        }
        if (++i >= value.size())
            return std::nullopt;
        switch (value.at(i).unicode()) {
        case 'n':
            text.append(u'\n');
            break;
        case 'r':
            text.append(u'\r');
            break;
        case 't':
            text.append(u'\t');
            break;
        case 'x': {
            if (i + 2 >= value.size())
                return std::nullopt;
            bool ok = false;
            const uint code = value.mid(i + 1, 2).toUInt(&ok, 16);
            if (!ok)
                return std::nullopt;
            text.append(QChar(char16_t(code)));
            i += 2;
            break;
        }
        default:
            text.append(value.at(i));
        }
    }
    return std::nullopt;
}

} // namespace

QString quoted(const QString &text)
{
    QString result(u'"');
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            result += QStringLiteral("\\\\");
            break;
        case '"':
            result += QStringLiteral("\\\"");
            break;
        case '\n':
            result += QStringLiteral("\\n");
            break;
        case '\r':
            result += QStringLiteral("\\r");
            break;
        case '\t':
            result += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7f)
                result += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else
                result += c;
        }
    }
    return result + u'"';
}

std::optional<QString> unquoted(const QString &value)
{
    qsizetype position = 0;
    const auto text = readQuoted(value, position);
    if (!text || position != value.size())
        return std::nullopt;
    return text;
}

std::optional<QStringList> unquotedList(const QString &value)
{
    QStringList list;
    qsizetype position = 0;
    while (position < value.size()) {
        const auto text = readQuoted(value, position);
        if (!text)
            return std::nullopt;
        list.append(*text);
        if (position < value.size() && value.at(position++) != u' ')
            return std::nullopt;
    }
    return list;
}

ProbeReport parseProbeReport(const QByteArray &output)
{
    ProbeReport report;
    for (const QString &line : QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1String("services "))) {
            bool ok = false;
            report.announcedCount = line.mid(9).toLongLong(&ok);
            if (!ok)
                report.unreadLines.append(line);
        } else if (line.startsWith(QLatin1String("service "))) {
            const auto name = unquoted(line.mid(8));
            if (name)
                report.services.append({*name, {}});
            else
                report.unreadLines.append(line);
        } else if (line.startsWith(QLatin1String("  ")) && !report.services.isEmpty()) {
            const QString entry = line.mid(2);
            const qsizetype blank = entry.indexOf(u' ');
            report.services.last().values.insert(entry.left(blank),
                                                 blank < 0 ? QString() : entry.mid(blank + 1));
        } else {
            report.unreadLines.append(line);
        }
    }
    return report;
}

bool parseCallLog(const QByteArray &log, QList<ToolCall> &calls)
{
    calls.clear();
    for (const QString &line : QString::fromUtf8(log).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1String("call "))) {
            const auto program = unquoted(line.mid(5));
            if (!program)
                return false;
            calls.append({*program, {}});
        } else if (line.startsWith(QLatin1String("arg ")) && !calls.isEmpty()) {
            const auto argument = unquoted(line.mid(4));
            if (!argument)
                return false;
            calls.last().arguments.append(*argument);
        } else {
            return false;
        }
    }
    return true;
}

} // namespace WindowsToolOutput
