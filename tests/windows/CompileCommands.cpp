#include "CompileCommands.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace CompileCommands {

bool read(const QString &path, QList<CompileCommand> &commands, QString &error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parseError);
    if (!document.isArray()) {
        error = QStringLiteral("%1 is not a JSON array: %2").arg(path, parseError.errorString());
        return false;
    }
    commands.clear();
    for (const QJsonValue &value : document.array()) {
        const QJsonObject entry = value.toObject();
        CompileCommand command;
        command.file = entry.value(QLatin1String("file")).toString();
        command.directory = entry.value(QLatin1String("directory")).toString();
        command.command = entry.value(QLatin1String("command")).toString();
        if (command.file.isEmpty() || command.directory.isEmpty() || command.command.isEmpty()) {
            error = QStringLiteral("%1 holds an entry without file, directory or command: %2")
                        .arg(path, QString::fromUtf8(QJsonDocument(entry).toJson()));
            return false;
        }
        commands.append(command);
    }
    return true;
}

bool isCxxSource(const QString &file)
{
    static const QRegularExpression cxx(QStringLiteral("\\.(cpp|cxx|cc)$"));
    return cxx.match(file).hasMatch();
}

bool isResourceScript(const QString &file)
{
    return file.endsWith(QLatin1String(".rc"));
}

namespace {

// A word is either quoted as a whole or free of blanks; CMake writes no other form.
const QString word = QStringLiteral(R"(("[^"]*"|\S+))");

QString unquoted(const QString &text)
{
    return text.startsWith(QLatin1Char('"')) ? text.mid(1, text.size() - 2) : text;
}

// The part before the matched tail, when the tail's source word names the command's file.
QString beforeTail(const CompileCommand &command, const QRegularExpression &form, int source)
{
    const QRegularExpressionMatch match = form.match(command.command);
    if (!match.hasMatch() || unquoted(match.captured(source)) != command.file)
        return QString();
    return match.captured(1);
}

} // namespace

QString compilerAndFlags(const CompileCommand &command)
{
    static const QRegularExpression form(QStringLiteral(R"(^(.*\S)\s+-o\s+)") + word
                                         + QStringLiteral(R"(\s+-c\s+)") + word
                                         + QStringLiteral(R"(\s*$)"));
    return beforeTail(command, form, 3);
}

QString resourceCompilerAndFlags(const CompileCommand &command)
{
    static const QRegularExpression form(QStringLiteral(R"(^(.*\S)\s+)") + word
                                         + QStringLiteral(R"(\s+)") + word
                                         + QStringLiteral(R"(\s*$)"));
    return beforeTail(command, form, 2);
}

QString shellQuoted(const QString &text)
{
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace CompileCommands
