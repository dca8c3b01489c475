#include "Console.h"

#include "ConsolePlatform.h"

#include <QRegularExpression>

#include <cstdio>

namespace Console {

bool out(const QByteArray &bytes)
{
    return ConsolePlatform::write(ConsolePlatform::Stream::Output, bytes);
}

bool out(const QString &text)
{
    return out(text.toUtf8());
}

void error(const QString &message)
{
    note(QStringLiteral("ledgerwell-cli: ") + oneLine(message) + u'\n');
}

void note(const QString &text)
{
    ConsolePlatform::write(ConsolePlatform::Stream::Error, text.toUtf8());
}

QString oneLine(const QString &text)
{
    // A line that ends a sentence or leads into a list is followed by a blank; the entries of a
    // list are kept apart by semicolons.
    static const QRegularExpression lineBreaks(QStringLiteral("[\\r\\n]+"));
    const auto endsClause = [](const QString &line) {
        return QStringLiteral(".:;,!?").contains(line.back());
    };
    QString result;
    for (const QString &part : text.split(lineBreaks, Qt::SkipEmptyParts)) {
        const QString line = part.trimmed();
        if (line.isEmpty())
            continue;
        if (!result.isEmpty())
            result += endsClause(result) ? QStringLiteral(" ") : QStringLiteral("; ");
        result += line;
    }
    if (!result.isEmpty() && !endsClause(result))
        result += u'.';
    return result;
}

bool readLine(QString *line)
{
    QByteArray bytes;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n')
        bytes.append(char(c));
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    *line = QString::fromLocal8Bit(bytes);
    return c != EOF || !bytes.isEmpty();
}

} // namespace Console
