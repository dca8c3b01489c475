#include "BatchScript.h"

#include "ServiceCommands.h"
#include "ServiceInfo.h"
#include "ServiceName.h"

#include <QCoreApplication>
#include <QLocale>
#include <QStringEncoder>

#include <algorithm>
#include <iterator>
#include <optional>

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

// What a character means to the line: most pass as they stand.
enum class Kind : unsigned char { Plain, Quote, Percent, Operator, Control };

constexpr Kind asciiKind(char16_t c)
{
    if (c < 0x20 || c == 0x7f)
        return Kind::Control;
    switch (c) {
    case u'"':
        return Kind::Quote;
    case u'%':
        return Kind::Percent;
    case u'&':
    case u'|':
    case u'<':
    case u'>':
    case u'^':
        return Kind::Operator;
    default:
        return Kind::Plain;
    }
}

struct KindTable
{
    Kind kinds[128] = {};
    constexpr KindTable()
    {
        for (char16_t c = 0; c < 128; ++c)
            kinds[c] = asciiKind(c);
    }
};
constexpr KindTable kindTable;

Kind kindOf(char16_t c)
{
    if (c < 128)
        return kindTable.kinds[c];
    // A line break inside a value would end the batch line and start a command of its own.
    return c == 0x2028 || c == 0x2029 ? Kind::Control : Kind::Plain;
}

// Writes one batch line in a single pass into room reserved for it.
//
// cmd.exe reads the line in two passes. First it replaces %% by % and expands every other
// percent sign (variables, arguments such as %1, %* and %~dp0, or nothing for a lone %), so
// each percent sign is doubled. Then it toggles its quoting at every double quote, escaped for
// the C runtime or not, and treats & | < > ^ as its own outside quotes, where a caret passes the
// next character on literally. Control characters are written as blanks.
class LineWriter
{
public:
    // Each character takes at most two in the line, and each argument a blank and two quotes.
    static qsizetype maximumLength(const ServiceCommand &command)
    {
        qsizetype length = 2 * command.program.size();
        for (const CommandArgument &argument : command.arguments)
            length += 2 * argument.text.size() + 3;
        return length;
    }

    explicit LineWriter(char16_t *out)
        : m_out(out)
    {
    }

    char16_t *end() const { return m_out; }

    // A keyword, a program name or a bare value, as it stands.
    void appendBare(QStringView text) { appendValue(text, false); }

    // A value between double quotes, as the Windows C runtime reads it back: a double quote is
    // written as \" and backslashes before a quote are doubled.
    void appendQuoted(QStringView text)
    {
        appendQuote();
        appendValue(text, true);
        // Backslashes before the closing quote would escape it.
        appendBackslashes(trailingBackslashes(text, text.size()));
        appendQuote();
    }

    void appendBlank() { *m_out++ = u' '; }

private:
    void appendValue(QStringView text, bool quoted)
    {
        const char16_t *data = text.utf16();
        const qsizetype size = text.size();
        qsizetype i = 0;
        while (i < size) {
            // Most of a value is plain: copy it in whole runs.
            const qsizetype runStart = i;
            while (i < size && kindOf(data[i]) == Kind::Plain)
                ++i;
            std::copy(data + runStart, data + i, m_out);
            m_out += i - runStart;
            if (i == size)
                break;
            const char16_t c = data[i];
            switch (kindOf(c)) {
            case Kind::Plain:
                break;
            case Kind::Quote:
                if (quoted)
                    appendBackslashes(trailingBackslashes(text, i) + 1);
                appendQuote();
                break;
            case Kind::Percent:
                *m_out++ = u'%';
                *m_out++ = u'%';
                break;
            case Kind::Operator:
                if (!m_insideQuotes)
                    *m_out++ = u'^';
                *m_out++ = c;
                break;
            case Kind::Control:
                *m_out++ = u' ';
                break;
            }
            ++i;
        }
    }

    void appendQuote()
    {
        *m_out++ = u'"';
        m_insideQuotes = !m_insideQuotes;
    }

    void appendBackslashes(qsizetype count)
    {
        for (qsizetype i = 0; i < count; ++i)
            *m_out++ = u'\\';
    }

    // The backslashes that stand in text directly before position end.
    static qsizetype trailingBackslashes(QStringView text, qsizetype end)
    {
        qsizetype count = 0;
        while (end - count > 0 && text.at(end - count - 1) == u'\\')
            ++count;
        return count;
    }

    char16_t *m_out;
    bool m_insideQuotes = false;
};

// Appends the command's line to out and returns its length.
qsizetype appendCommandLine(QString &out, const ServiceCommand &command)
{
    const qsizetype start = out.size();
    out.resize(start + LineWriter::maximumLength(command));
    char16_t *begin = reinterpret_cast<char16_t *>(out.data()) + start;
    LineWriter line(begin);
    line.appendBare(command.program);
    for (const CommandArgument &argument : command.arguments) {
        line.appendBlank();
        if (argument.form == CommandArgument::Form::Keyword
            || (argument.form == CommandArgument::Form::Bare && isBareSafe(argument.text)))
            line.appendBare(argument.text);
        else
            line.appendQuoted(argument.text);
    }
    const qsizetype length = line.end() - begin;
    out.resize(start + length);
    return length;
}

// The record field an argument of the command carries.
enum class Field {
    ServiceName,
    ImagePath,
    AccountName,
    DisplayName,
    Dependencies,
    LoadOrderGroup,
    Description,
    RecoveryActions,
    RecoveryCommand,
    RebootMessage,
    SidType,
    Privileges,
    Number // a reset period or a time-out, written by the program itself
};

Field fieldOf(const ServiceCommand &command, qsizetype index)
{
    using Step = ServiceCommand::Step;
    const QString previous = index > 0 ? command.arguments.at(index - 1).text : QString();
    if (previous == u"binPath=")
        return Field::ImagePath;
    if (previous == u"obj=")
        return Field::AccountName;
    if (previous == u"DisplayName=")
        return Field::DisplayName;
    if (previous == u"depend=")
        return Field::Dependencies;
    if (previous == u"group=")
        return Field::LoadOrderGroup;
    if (previous == u"actions=")
        return Field::RecoveryActions;
    if (previous == u"command=")
        return Field::RecoveryCommand;
    if (previous == u"reboot=")
        return Field::RebootMessage;
    if (previous == u"reset=" || previous == u"/d")
        return Field::Number;
    if (index == 2 && command.step == Step::Description)
        return Field::Description;
    if (index == 2 && command.step == Step::SidType)
        return Field::SidType;
    if (index == 2 && command.step == Step::Privileges)
        return Field::Privileges;
    return Field::ServiceName; // also the key path of the reg line, made of the name
}

// The field as a phrase such as "the description".
QString fieldPhrase(Field field)
{
    switch (field) {
    case Field::ServiceName:
    case Field::Number:
        break;
    case Field::ImagePath:
        return QCoreApplication::translate("ImportDialog", "the image path");
    case Field::AccountName:
        return QCoreApplication::translate("ImportDialog", "the account name");
    case Field::DisplayName:
        return QCoreApplication::translate("ImportDialog", "the display name");
    case Field::Dependencies:
        return QCoreApplication::translate("ImportDialog", "the list of dependencies");
    case Field::LoadOrderGroup:
        return QCoreApplication::translate("ImportDialog", "the load order group");
    case Field::Description:
        return QCoreApplication::translate("ImportDialog", "the description");
    case Field::RecoveryActions:
        return QCoreApplication::translate("ImportDialog", "the list of recovery actions");
    case Field::RecoveryCommand:
        return QCoreApplication::translate("ImportDialog", "the recovery command");
    case Field::RebootMessage:
        return QCoreApplication::translate("ImportDialog", "the reboot message");
    case Field::SidType:
        return QCoreApplication::translate("ImportDialog", "the SID type");
    case Field::Privileges:
        return QCoreApplication::translate("ImportDialog", "the list of required privileges");
    }
    return QCoreApplication::translate("ImportDialog", "the service name");
}

// Texts that only show something to people may have their line breaks and other control
// characters turned into blanks. In any other field a blank would name another service,
// account, program or privilege than the direct installation does.
bool blanksAcceptable(Field field)
{
    return field == Field::Description || field == Field::DisplayName
           || field == Field::RebootMessage;
}

bool holdsControlCharacter(QStringView text)
{
    return std::any_of(text.begin(), text.end(),
                       [](QChar c) { return kindOf(c.unicode()) == Kind::Control; });
}

// The first field of the commands that holds a control character where a blank in its place
// would change what it names.
std::optional<Field> fieldThatCannotBeWritten(const QList<ServiceCommand> &commands)
{
    for (const ServiceCommand &command : commands) {
        for (qsizetype i = 0; i < command.arguments.size(); ++i) {
            const CommandArgument &argument = command.arguments.at(i);
            if (argument.form == CommandArgument::Form::Keyword
                || !holdsControlCharacter(argument.text))
                continue;
            const Field field = fieldOf(command, i);
            if (!blanksAcceptable(field))
                return field;
        }
    }
    return std::nullopt;
}

// The length of a text in UTF-8, in which the script is written and read.
qsizetype utf8Length(QStringView text)
{
    qsizetype length = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < 0x80) {
            length += 1;
        } else if (c < 0x800) {
            length += 2;
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size()
                   && text.at(i + 1).isLowSurrogate()) {
            length += 4;
            ++i;
        } else {
            length += 3;
        }
    }
    return length;
}

// The field whose value makes most of the line: the longest argument that is not a keyword.
Field longestField(const ServiceCommand &command)
{
    qsizetype longest = -1;
    qsizetype longestLength = 0;
    for (qsizetype i = 0; i < command.arguments.size(); ++i) {
        const CommandArgument &argument = command.arguments.at(i);
        const qsizetype length = utf8Length(argument.text);
        if (argument.form != CommandArgument::Form::Keyword
            && (longest < 0 || length > longestLength)) {
            longest = i;
            longestLength = length;
        }
    }
    return fieldOf(command, longest);
}

QString lineTooLong(const ServiceInfo &service, const ServiceCommand &command, qsizetype characters,
                    qsizetype bytes)
{
    QLocale locale;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    if (bytes == characters) {
        return QCoreApplication::translate(
                   "ImportDialog",
                   "Cannot write the batch script: %1 of service %2 makes a line of %3 "
                   "characters; cmd.exe reads at most %4.")
            .arg(fieldPhrase(longestField(command)), service.serviceName, locale.toString(bytes),
                 QString::number(MaximumLineLength));
    }
    return QCoreApplication::translate(
               "ImportDialog",
               "Cannot write the batch script: %1 of service %2 makes a line of %3 bytes in "
               "UTF-8; cmd.exe reads at most %4.")
        .arg(fieldPhrase(longestField(command)), service.serviceName, locale.toString(bytes),
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

// Collects the script as UTF-8, one block at a time, so that the text of a block is still in
// the cache when it is converted.
class Utf8Output
{
public:
    explicit Utf8Output(qsizetype expectedSize) { m_bytes.reserve(expectedSize); }

    void append(QStringView text)
    {
        const qsizetype used = m_bytes.size();
        const qsizetype needed = used + m_encoder.requiredSpace(text.size());
        if (needed > m_bytes.capacity())
            m_bytes.reserve(qMax(needed, 2 * m_bytes.capacity()));
        m_bytes.resize(needed);
        char *end = m_encoder.appendToBuffer(m_bytes.data() + used, text);
        m_bytes.resize(end - m_bytes.constData());
    }

    QByteArray take() { return std::move(m_bytes); }

private:
    QStringEncoder m_encoder{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    QByteArray m_bytes;
};

} // namespace

QString commandLine(const ServiceCommand &command)
{
    QString line;
    appendCommandLine(line, command);
    return line;
}

Script write(const QList<ServiceInfo> &services, const QList<int> &positions)
{
    Script script;
    Utf8Output output(estimatedSize(services));
    output.append(QStringView(header));

    QString block;
    for (qsizetype i = 0; i < services.size(); ++i) {
        const ServiceInfo &service = services.at(i);
        const int position = i < positions.size() ? positions.at(i) : int(i + 1);
        const ServiceName::Problem problem = ServiceName::problem(service.serviceName);
        if (problem != ServiceName::Problem::None) {
            script.leftOut.append(ServiceName::recordLabel(position, service) + u' '
                                  + ServiceName::describe(problem));
            continue;
        }
        const QList<ServiceCommand> commands = ServiceCommands::install(service);
        if (const std::optional<Field> field = fieldThatCannotBeWritten(commands)) {
            script.leftOut.append(
                QCoreApplication::translate("ImportDialog",
                                            "%1: %2 holds a line break or another control "
                                            "character, which a batch line cannot carry")
                    .arg(ServiceName::recordLabel(position, service), fieldPhrase(*field)));
            continue;
        }
        block.resize(0);
        for (const ServiceCommand &command : commands) {
            const qsizetype start = block.size();
            const qsizetype length = appendCommandLine(block, command);
            // Only a line that could reach the limit in UTF-8 is measured there.
            const qsizetype bytes = length * 3 > MaximumLineLength
                                        ? utf8Length(QStringView(block).sliced(start))
                                        : length;
            if (bytes > MaximumLineLength) {
                script.refusal = lineTooLong(service, command, length, bytes);
                script.leftOut.clear();
                return script;
            }
            block.append(u"\r\n");
        }
        block.append(u"\r\n");
        output.append(block);
        ++script.serviceCount;
    }
    if (script.serviceCount == 0 && !services.isEmpty()) {
        script.refusal = QCoreApplication::translate(
                             "ImportDialog", "Cannot write the batch script: every record was left "
                                             "out.")
                         + u'\n' + script.leftOut.join(u'\n');
        return script;
    }
    output.append(QStringView(footer));
    script.bytes = output.take();
    return script;
}

QString leftOutNote(const QStringList &leftOut)
{
    if (leftOut.isEmpty())
        return QString();
    return QCoreApplication::translate("ImportDialog", "Left out of the script:") + u'\n'
           + leftOut.join(u'\n');
}

} // namespace BatchScript
