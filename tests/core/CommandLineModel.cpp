#include "CommandLineModel.h"

namespace CommandLineModel {

std::optional<QString> percentPass(const QString &line)
{
    QString result;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line.at(i) == u'%') {
            if (i + 1 >= line.size() || line.at(i + 1) != u'%')
                return std::nullopt;
            ++i;
        }
        result.append(line.at(i));
    }
    return result;
}

std::optional<QString> cmdPass(const QString &batchLine)
{
    const auto expanded = percentPass(batchLine);
    if (!expanded)
        return std::nullopt;
    const QString &line = *expanded;
    QString result;
    bool insideQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == u'\r' || c == u'\n')
            return std::nullopt;
        if (c == u'"') {
            insideQuotes = !insideQuotes;
            result.append(c);
        } else if (!insideQuotes && c == u'^') {
            if (++i < line.size())
                result.append(line.at(i));
        } else if (!insideQuotes && (c == u'&' || c == u'|' || c == u'<' || c == u'>')) {
            return std::nullopt;
        } else {
            result.append(c);
        }
    }
    return result;
}

QStringList crtSplit(const QString &commandLine)
{
    QStringList arguments;
    const qsizetype n = commandLine.size();
    qsizetype i = 0;
    auto isBlank = [](QChar c) {
        return c == u' ' || c == u'\t';
    };
    while (true) {
        while (i < n && isBlank(commandLine.at(i)))
            ++i;
        if (i >= n)
            break;
        QString argument;
        bool insideQuotes = false;
        while (i < n && (insideQuotes || !isBlank(commandLine.at(i)))) {
            const QChar c = commandLine.at(i);
            if (c == u'\\') {
                qsizetype backslashes = 0;
                while (i < n && commandLine.at(i) == u'\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < n && commandLine.at(i) == u'"') {
                    argument.append(QString(backslashes / 2, u'\\'));
                    if (backslashes % 2 == 1) {
                        argument.append(u'"');
                        ++i;
                    }
                } else {
                    argument.append(QString(backslashes, u'\\'));
                }
            } else if (c == u'"') {
                if (insideQuotes && i + 1 < n && commandLine.at(i + 1) == u'"') {
                    argument.append(u'"');
                    i += 2;
                } else {
                    insideQuotes = !insideQuotes;
                    ++i;
                }
            } else {
                argument.append(c);
                ++i;
            }
        }
        arguments.append(argument);
    }
    return arguments;
}

std::optional<QStringList> argumentsOf(const QString &batchLine)
{
    const auto commandLine = cmdPass(batchLine);
    if (!commandLine)
        return std::nullopt;
    return crtSplit(*commandLine);
}

} // namespace CommandLineModel
