#include "BatchScript.h"

#include "ServiceCommands.h"
#include "ServiceInfo.h"
#include "ServiceName.h"

#include <QCoreApplication>
#include <QLocale>

#include <iterator>

namespace BatchScript {

namespace {

const char16_t header[] = u"@echo off\r\n"
                          u"chcp 65001 >nul\r\n"
                          u"setlocal DisableDelayedExpansion\r\n"
                          u"REM Ledgerwell - Generated batch file\r\n"
                          u"REM Run as Administrator!\r\n"
                          u"\r\n";
const char16_t footer[] = u"echo Done.\r\n"
                          u"pause\r\n";

bool isAsciiLetterOrDigit(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9');
}

// A line break inside a value would end the batch line and start a command of its own; these
// characters are written as blanks.
bool isControlCharacter(char16_t c)
{
    return c < 0x20 || c == 0x7f || c == 0x2028 || c == 0x2029;
}

// Only letters, digits and _ - . / may stand bare in a line.
bool isBareSafe(QStringView text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!isAsciiLetterOrDigit(u) && u != u'_' && u != u'-' && u != u'.' && u != u'/')
            return false;
    }
    return true;
}

qsizetype trailingBackslashes(const QString &text)
{
    qsizetype count = 0;
    for (qsizetype i = text.size() - 1; i >= 0 && text.at(i) == u'\\'; --i)
        ++count;
    return count;
}

void appendBackslashes(QString &line, qsizetype count)
{
    for (qsizetype i = 0; i < count; ++i)
        line.append(u'\\');
}

// An argument as the Windows C runtime reads it back, between double quotes: a double quote is
// written as \" and backslashes before a quote are doubled.
void appendQuotedArgument(QString &line, QStringView value)
{
    line.append(u'"');
    const char16_t *data = value.utf16();
    const qsizetype size = value.size();
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = data[i];
        if (c != u'"' && !isControlCharacter(c))
            continue;
        line.append(QStringView(data + runStart, i - runStart));
        if (c == u'"') {
            appendBackslashes(line, trailingBackslashes(line) + 1);
            line.append(u'"');
        } else {
            line.append(u' ');
        }
        runStart = i + 1;
    }
    line.append(QStringView(data + runStart, size - runStart));
    // Backslashes before the closing quote would escape it.
    appendBackslashes(line, trailingBackslashes(line));
    line.append(u'"');
}

// The command line as the program should receive it.
void appendProgramLine(QString &line, const ServiceCommand &command)
{
    line.append(command.program);
    for (const CommandArgument &argument : command.arguments) {
        line.append(u' ');
        if (argument.form == CommandArgument::Form::Keyword
            || (argument.form == CommandArgument::Form::Bare && isBareSafe(argument.text)))
            line.append(argument.text);
        else
            appendQuotedArgument(line, argument.text);
    }
}

// cmd.exe reads a batch line in two passes. First it replaces %% by % and expands every other
// percent sign (variables, arguments such as %1, %* and %~dp0, or nothing for a lone %), so each
// percent sign is doubled. Then it toggles its quoting at every double quote and treats
// & | < > ^ as its own outside quotes, where a caret passes the next character on literally;
// since the doubling is undone before that, the quote state follows the line as given.
void appendForCmd(QString &out, QStringView line)
{
    const char16_t *data = line.utf16();
    const qsizetype size = line.size();
    bool insideQuotes = false;
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < size; ++i) {
        switch (data[i]) {
        case u'"':
            insideQuotes = !insideQuotes;
            break;
        case u'%':
            out.append(QStringView(data + runStart, i + 1 - runStart));
            out.append(u'%');
            runStart = i + 1;
            break;
        case u'&':
        case u'|':
        case u'<':
        case u'>':
        case u'^':
            if (!insideQuotes) {
                out.append(QStringView(data + runStart, i - runStart));
                out.append(u'^');
                runStart = i;
            }
            break;
        default:
            break;
        }
    }
    out.append(QStringView(data + runStart, size - runStart));
}

// The record field an argument of the command carries, as a phrase such as "the description".
QString fieldOf(const ServiceCommand &command, qsizetype index)
{
    using Step = ServiceCommand::Step;
    const QString previous = index > 0 ? command.arguments.at(index - 1).text : QString();
    if (previous == u"binPath=")
        return QCoreApplication::translate("ImportDialog", "the image path");
    if (previous == u"obj=")
        return QCoreApplication::translate("ImportDialog", "the account name");
    if (previous == u"DisplayName=")
        return QCoreApplication::translate("ImportDialog", "the display name");
    if (previous == u"depend=")
        return QCoreApplication::translate("ImportDialog", "the list of dependencies");
    if (previous == u"group=")
        return QCoreApplication::translate("ImportDialog", "the load order group");
    if (previous == u"actions=")
        return QCoreApplication::translate("ImportDialog", "the list of recovery actions");
    if (previous == u"command=")
        return QCoreApplication::translate("ImportDialog", "the recovery command");
    if (previous == u"reboot=")
        return QCoreApplication::translate("ImportDialog", "the reboot message");
    if (index == 2 && command.step == Step::Description)
        return QCoreApplication::translate("ImportDialog", "the description");
    if (index == 2 && command.step == Step::SidType)
        return QCoreApplication::translate("ImportDialog", "the SID type");
    if (index == 2 && command.step == Step::Privileges)
        return QCoreApplication::translate("ImportDialog", "the list of required privileges");
    return QCoreApplication::translate("ImportDialog", "the service name");
}

// The field whose value makes most of the line: the longest argument that is not a keyword.
QString longestField(const ServiceCommand &command)
{
    qsizetype longest = -1;
    for (qsizetype i = 0; i < command.arguments.size(); ++i) {
        const CommandArgument &argument = command.arguments.at(i);
        if (argument.form != CommandArgument::Form::Keyword
            && (longest < 0 || argument.text.size() > command.arguments.at(longest).text.size()))
            longest = i;
    }
    return fieldOf(command, longest);
}

QString lineTooLong(const ServiceInfo &service, const ServiceCommand &command, qsizetype length)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    return QCoreApplication::translate(
               "ImportDialog",
               "Cannot write the batch script: %1 of service %2 makes a line of %3 characters; "
               "cmd.exe reads at most %4.")
        .arg(longestField(command), service.serviceName, locale.toString(length),
             QString::number(MaximumLineLength));
}

// Room for the script, so that it grows in few steps: the texts of the records, a little more
// for quotes, carets and doubled percent signs, and the keywords of every line.
qsizetype estimatedSize(const QList<ServiceInfo> &services)
{
    qsizetype size = std::size(header) + std::size(footer);
    for (const ServiceInfo &s : services) {
        qsizetype values = s.serviceName.size() * 8 + s.displayName.size() + s.description.size()
                           + s.binaryPath.size() + s.accountName.size() + s.loadOrderGroup.size()
                           + s.failureCommand.size() + s.failureCommandParams.size()
                           + s.failureRebootMessage.size();
        for (const QString &dependency : s.dependencies)
            values += dependency.size() + 1;
        for (const QString &privilege : s.requiredPrivileges)
            values += privilege.size() + 1;
        size += values + values / 8 + 512;
    }
    return size;
}

} // namespace

QString commandLine(const ServiceCommand &command)
{
    QString programLine;
    appendProgramLine(programLine, command);
    QString line;
    line.reserve(programLine.size() + programLine.size() / 8 + 16);
    appendForCmd(line, programLine);
    return line;
}

Script write(const QList<ServiceInfo> &services, const QList<int> &positions)
{
    Script script;
    QString text;
    text.reserve(estimatedSize(services));
    text.append(QStringView(header));

    QString programLine;
    for (qsizetype i = 0; i < services.size(); ++i) {
        const ServiceInfo &service = services.at(i);
        const ServiceName::Problem problem = ServiceName::problem(service.serviceName);
        if (problem != ServiceName::Problem::None) {
            const int position = i < positions.size() ? positions.at(i) : int(i + 1);
            script.leftOut.append(ServiceName::recordLabel(position, service) + u' '
                                  + ServiceName::describe(problem));
            continue;
        }
        for (const ServiceCommand &command : ServiceCommands::install(service)) {
            programLine.resize(0);
            appendProgramLine(programLine, command);
            const qsizetype lineStart = text.size();
            appendForCmd(text, programLine);
            const qsizetype length = text.size() - lineStart;
            if (length > MaximumLineLength) {
                script.refusal = lineTooLong(service, command, length);
                return script;
            }
            text.append(u"\r\n");
        }
        text.append(u"\r\n");
        ++script.serviceCount;
    }
    if (script.serviceCount == 0 && !services.isEmpty()) {
        script.refusal =
            QCoreApplication::translate(
                "ImportDialog", "Cannot write the batch script: none of the records has a service "
                                "name that Windows accepts.")
            + u'\n' + script.leftOut.join(u'\n');
        return script;
    }
    text.append(QStringView(footer));
    script.bytes = text.toUtf8();
    return script;
}

QString leftOutNote(const QStringList &leftOut)
{
    if (leftOut.isEmpty())
        return QString();
    return QCoreApplication::translate(
               "ImportDialog",
               "Left out of the script, since Windows would not accept their service names:")
           + u'\n' + leftOut.join(u'\n');
}

} // namespace BatchScript
