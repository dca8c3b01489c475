#include "CommandText.h"

#include "ServiceCommands.h"
#include "ServiceTableText.h"

namespace {

bool isBareSafe(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const bool plain = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')
                           || (c >= u'0' && c <= u'9') || c == u'_' || c == u'-' || c == u'.'
                           || c == u'/';
        if (!plain)
            return false;
    }
    return true;
}

// As the Windows C runtime reads an argument back.
QString quoted(const QString &text)
{
    QString result(u'"');
    qsizetype backslashes = 0;
    for (const QChar c : text) {
        if (c == u'\\') {
            ++backslashes;
            continue;
        }
        result += QString(c == u'"' ? backslashes * 2 + 1 : backslashes, u'\\');
        backslashes = 0;
        result += c;
    }
    result += QString(backslashes * 2, u'\\');
    result += u'"';
    return result;
}

} // namespace

namespace CommandText {

QString line(const ServiceCommand &command)
{
    QString text = command.program;
    for (const CommandArgument &argument : command.arguments) {
        text += u' ';
        if (argument.form == CommandArgument::Form::Keyword
            || (argument.form == CommandArgument::Form::Bare && isBareSafe(argument.text)))
            text += argument.text;
        else
            text += quoted(argument.text);
    }
    return ServiceTableText::printable(text);
}

} // namespace CommandText
