#include "BatchScript.h"

#include "ServiceCommands.h"
#include "ServiceInfo.h"

namespace BatchScript {

namespace {

bool isAsciiLetterOrDigit(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

QString withoutControlCharacters(const QString &text)
{
    // A line break inside a value would end the batch line and start a command of its own.
    QString result = text;
    for (QChar &c : result) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f || c == QChar::LineSeparator
            || c == QChar::ParagraphSeparator)
            c = u' ';
    }
    return result;
}

// cmd.exe toggles its quoting at every double quote and treats & | < > ^ as its own outside
// quotes; a caret makes it pass the next character on literally. Percent signs are left alone on
// purpose: environment references such as %SystemRoot% in stored image paths are meant to expand
// when the script runs.
QString escapeForCmd(const QString &line)
{
    QString result;
    result.reserve(line.size() + 8);
    bool insideQuotes = false;
    for (const QChar c : line) {
        if (c == u'"')
            insideQuotes = !insideQuotes;
        else if (!insideQuotes && (c == u'&' || c == u'|' || c == u'<' || c == u'>' || c == u'^'))
            result.append(u'^');
        result.append(c);
    }
    return result;
}

// Only letters, digits and _ - . / may stand bare in a line.
bool isBareSafe(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (!isAsciiLetterOrDigit(c) && c != u'_' && c != u'-' && c != u'.' && c != u'/')
            return false;
    }
    return true;
}

// An argument as the Windows C runtime reads it back, between double quotes: a double quote is
// written as \" and backslashes before a quote are doubled.
QString quotedArgument(const QString &text)
{
    const QString value = withoutControlCharacters(text);
    QString result(u'"');
    qsizetype backslashes = 0;
    for (const QChar c : value) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        if (c == u'"') {
            result.append(QString(backslashes * 2 + 1, u'\\'));
        } else {
            result.append(QString(backslashes, u'\\'));
        }
        backslashes = 0;
        result.append(c);
    }
    // Backslashes before the closing quote would escape it.
    result.append(QString(backslashes * 2, u'\\'));
    result.append(u'"');
    return result;
}

} // namespace

QString commandLine(const ServiceCommand &command)
{
    QString line = command.program;
    for (const CommandArgument &argument : command.arguments) {
        line.append(u' ');
        if (argument.form == CommandArgument::Form::Keyword
            || (argument.form == CommandArgument::Form::Bare && isBareSafe(argument.text)))
            line.append(argument.text);
        else
            line.append(quotedArgument(argument.text));
    }
    return escapeForCmd(line);
}

QStringList lines(const QList<ServiceInfo> &services)
{
    QStringList script = {QStringLiteral("@echo off"), QStringLiteral("chcp 65001 >nul"),
                          QStringLiteral("REM Ledgerwell - Generated batch file"),
                          QStringLiteral("REM Run as Administrator!"), QString()};
    for (const ServiceInfo &service : services) {
        for (const ServiceCommand &command : ServiceCommands::install(service))
            script.append(commandLine(command));
        script.append(QString());
    }
    script << QStringLiteral("echo Done.") << QStringLiteral("pause");
    return script;
}

} // namespace BatchScript
