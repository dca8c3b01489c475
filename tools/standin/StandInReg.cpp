#include "StandInReg.h"

#include "platform/SimulatedServiceDatabase.h"

#include <QMap>
#include <QRegularExpression>
#include <QTextStream>

#include <limits>

namespace standin {

namespace {

int error(QTextStream &err, const QString &message)
{
    err << "ERROR: " << message << '\n';
    return 1;
}

int invalidSyntax(QTextStream &err)
{
    return error(err, QStringLiteral("Invalid syntax.\nType \"REG ADD /?\" for usage."));
}

// The service name of a key below the services key, or nothing for any other key.
QString serviceOfKey(const QString &key)
{
    static const QRegularExpression servicesKey(
        QStringLiteral("^(?:HKLM|HKEY_LOCAL_MACHINE)\\\\SYSTEM\\\\CurrentControlSet\\\\Services"
                       "\\\\([^\\\\]+)\\\\?$"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = servicesKey.match(key);
    return match.hasMatch() ? match.captured(1) : QString();
}

// REG_DWORD data as reg takes it: decimal, or hexadecimal with 0x.
std::optional<std::uint32_t> dwordData(const QString &text)
{
    bool ok = false;
    const qulonglong value = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive)
                                 ? text.mid(2).toULongLong(&ok, 16)
                                 : text.toULongLong(&ok, 10);
    if (!ok || text.startsWith(u'+') || value > std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    return std::uint32_t(value);
}

} // namespace

int runReg(const QStringList &arguments, platform::SimulatedServiceDatabase &database,
           QTextStream &out, QTextStream &err)
{
    if (arguments.size() < 2 || arguments.first().compare(u"add", Qt::CaseInsensitive) != 0)
        return invalidSyntax(err);

    // Switches in any order, each once; /f takes no value.
    QMap<QString, QString> switches;
    for (qsizetype i = 2; i < arguments.size(); ++i) {
        const QString name = arguments.at(i).toLower();
        const bool takesValue = name == u"/v" || name == u"/t" || name == u"/d";
        if ((!takesValue && name != u"/f") || switches.contains(name)
            || (takesValue && i + 1 >= arguments.size()))
            return invalidSyntax(err);
        switches.insert(name, takesValue ? arguments.at(++i) : QString());
    }
    if (!switches.contains(QStringLiteral("/v")) || !switches.contains(QStringLiteral("/d")))
        return invalidSyntax(err);

    const QString service = serviceOfKey(arguments.at(1));
    const QString valueName = switches.value(QStringLiteral("/v"));
    const QString type = switches.value(QStringLiteral("/t"), QStringLiteral("REG_SZ"));
    if (service.isEmpty() || valueName.compare(u"PreshutdownTimeout", Qt::CaseInsensitive) != 0) {
        return error(err, QStringLiteral("This stand-in for reg only sets PreshutdownTimeout "
                                         "below HKLM\\SYSTEM\\CurrentControlSet\\Services."));
    }
    if (type.compare(u"REG_DWORD", Qt::CaseInsensitive) != 0)
        return error(err, QStringLiteral("PreshutdownTimeout is a REG_DWORD value."));
    const std::optional<std::uint32_t> timeout = dwordData(switches.value(QStringLiteral("/d")));
    if (!timeout)
        return invalidSyntax(err);
    // Without /f the real tool would stop and ask before overwriting; nobody is there to answer.
    if (!switches.contains(QStringLiteral("/f")))
        return error(err, QStringLiteral("This stand-in for reg needs /f; it cannot ask before "
                                         "overwriting the value."));

    bool found = false;
    QString databaseError;
    const bool written = database.update(
        [&](QList<platform::SimulatedService> &services) {
            const qsizetype index = platform::SimulatedServiceDatabase::indexOf(services, service);
            found = index >= 0;
            if (found)
                services[index].preshutdownTimeoutMs = *timeout;
            return found;
        },
        &databaseError);
    if (!written)
        return error(err, databaseError);
    if (!found)
        return error(err, QStringLiteral("The system was unable to find the specified registry "
                                         "key or value."));
    out << "The operation completed successfully.\n";
    return 0;
}

} // namespace standin
