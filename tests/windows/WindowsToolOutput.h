#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

// Reading and writing the line form of the mingw-built Windows test programs (tools/windows):
// texts between double quotes with C-style escapes, one key and its value per line.
namespace WindowsToolOutput {

QString quoted(const QString &text);
// The text of a quoted value; nothing when `value` is not exactly one quoted text.
std::optional<QString> unquoted(const QString &value);
// A blank-separated row of quoted texts.
std::optional<QStringList> unquotedList(const QString &value);

// One service block of the probe's report: its name and each "key value" line below it.
struct ProbedService
{
    QString name;
    QMap<QString, QString> values;
};

struct ProbeReport
{
    qsizetype announcedCount = -1; // from the "services N" line
    QList<ProbedService> services;
    QStringList unreadLines;
};

ProbeReport parseProbeReport(const QByteArray &output);

// One run of a stand-in tool: its name ("sc", "reg") and the arguments it received.
struct ToolCall
{
    QString program;
    QStringList arguments;
};

// The calls.log the stand-in tools write; false when a line is not in the expected form.
bool parseCallLog(const QByteArray &log, QList<ToolCall> &calls);

} // namespace WindowsToolOutput
