#include "platform/SimulatedService.h"

#include "platform/WindowsServiceValues.h"

#include <QJsonArray>
#include <QVarLengthArray>

#include <cmath>
#include <functional>
#include <limits>

namespace platform {

namespace {

const QString StateRunning = QStringLiteral("running");
const QString StateStopped = QStringLiteral("stopped");
const QString StateStopPending = QStringLiteral("stop_pending");

// Reads the keys of one JSON object and remembers the first one that is wrong. The object is only
// read, never copied: a database holds tens of thousands of services.
class ObjectReader
{
public:
    // where names the object in messages; it is only called when a key is wrong.
    ObjectReader(const QJsonObject &object, std::function<QString()> where)
        : m_object(object)
        , m_where(std::move(where))
    {
    }

    bool ok() const { return m_error.isEmpty(); }
    QString error() const { return m_error; }

    void text(QLatin1StringView key, QString &out)
    {
        const QJsonValue value = take(key);
        if (value.isString())
            out = value.toString();
        else if (!value.isUndefined() && !value.isNull())
            fail(key, QStringLiteral("a text"));
    }

    void number(QLatin1StringView key, std::uint32_t &out)
    {
        const QJsonValue value = take(key);
        if (!value.isUndefined() && !value.isNull() && !toNumber(value, out))
            fail(key, QStringLiteral("a whole number from 0 to 4294967295"));
    }

    void flag(QLatin1StringView key, bool &out)
    {
        const QJsonValue value = take(key);
        if (value.isBool())
            out = value.toBool();
        else if (!value.isUndefined() && !value.isNull())
            fail(key, QStringLiteral("true or false"));
    }

    void texts(QLatin1StringView key, QStringList &out)
    {
        const QJsonValue value = take(key);
        if (value.isUndefined() || value.isNull())
            return;
        const QJsonArray array = value.toArray();
        bool allTexts = value.isArray();
        for (const QJsonValue &entry : array)
            allTexts = allTexts && entry.isString();
        if (!allTexts) {
            fail(key, QStringLiteral("a list of texts"));
            return;
        }
        for (const QJsonValue &entry : array)
            out.append(entry.toString());
    }

    void numbers(QLatin1StringView key, QList<std::uint32_t> &out)
    {
        const QJsonValue value = take(key);
        if (value.isUndefined() || value.isNull())
            return;
        bool allNumbers = value.isArray();
        const QJsonArray array = value.toArray();
        for (const QJsonValue &entry : array) {
            std::uint32_t number = 0;
            allNumbers = allNumbers && toNumber(entry, number);
            out.append(number);
        }
        if (!allNumbers)
            fail(key, QStringLiteral("a list of whole numbers"));
    }

    // The nested object under key, or an empty one (with the failure noted) if it is no object.
    QJsonObject object(QLatin1StringView key)
    {
        const QJsonValue value = take(key);
        if (value.isObject())
            return value.toObject();
        if (!value.isUndefined() && !value.isNull())
            fail(key, QStringLiteral("an object"));
        return QJsonObject();
    }

    // The value under key, which counts as known from now on.
    QJsonValue take(QLatin1StringView key)
    {
        const QJsonValue value = m_object.value(key);
        if (!value.isUndefined())
            m_taken.append(key);
        return value;
    }
    void fail(QLatin1StringView key, const QString &expected)
    {
        if (m_error.isEmpty())
            m_error = QStringLiteral("%1.%2 is not %3").arg(m_where(), key, expected);
    }
    void adopt(const ObjectReader &nested)
    {
        if (m_error.isEmpty())
            m_error = nested.m_error;
    }

    // The keys that were not taken, with their values.
    QJsonObject rest() const
    {
        if (m_taken.size() == m_object.size())
            return QJsonObject();
        QJsonObject rest = m_object;
        for (QLatin1StringView key : m_taken)
            rest.remove(key);
        return rest;
    }

private:
    static bool toNumber(const QJsonValue &value, std::uint32_t &out)
    {
        if (!value.isDouble())
            return false;
        const double number = value.toDouble();
        if (std::trunc(number) != number || number < 0
            || number > double(std::numeric_limits<std::uint32_t>::max()))
            return false;
        out = std::uint32_t(number);
        return true;
    }

    const QJsonObject &m_object;
    std::function<QString()> m_where;
    QVarLengthArray<QLatin1StringView, 24> m_taken;
    QString m_error;
};

void readFailureActions(ObjectReader &service, SimulatedService &out)
{
    const QJsonObject object = service.object(QLatin1StringView("failureActions"));
    const QString &name = out.name;
    ObjectReader reader(object, [&name] { return name + QStringLiteral(".failureActions"); });
    reader.number(QLatin1StringView("resetPeriod"), out.resetPeriodSeconds);
    reader.text(QLatin1StringView("rebootMessage"), out.rebootMessage);
    reader.text(QLatin1StringView("command"), out.command);

    const QJsonValue actions = reader.take(QLatin1StringView("actions"));
    if (actions.isArray()) {
        const QJsonArray array = actions.toArray();
        for (qsizetype i = 0; i < array.size(); ++i) {
            if (!array.at(i).isObject()) {
                reader.fail(QLatin1StringView("actions"), QStringLiteral("a list of objects"));
                break;
            }
            const QJsonObject entry = array.at(i).toObject();
            ObjectReader action(entry, [&name, i] {
                return QStringLiteral("%1.failureActions.actions[%2]").arg(name).arg(i);
            });
            SimulatedFailureAction parsed;
            action.number(QLatin1StringView("type"), parsed.type);
            action.number(QLatin1StringView("delayMs"), parsed.delayMs);
            reader.adopt(action);
            out.actions.append(parsed);
        }
    } else if (!actions.isUndefined() && !actions.isNull()) {
        reader.fail(QLatin1StringView("actions"), QStringLiteral("a list of objects"));
    }
    service.adopt(reader);
}

void readState(ObjectReader &reader, SimulatedService &out)
{
    QString state;
    reader.text(QLatin1StringView("state"), state);
    if (state == StateRunning)
        out.state = SimulatedService::State::Running;
    else if (state == StateStopPending)
        out.state = SimulatedService::State::StopPending;
    else if (state.isEmpty() || state == StateStopped)
        out.state = SimulatedService::State::Stopped;
    else
        reader.fail(QLatin1StringView("state"), QStringLiteral("running, stopped or stop_pending"));

    reader.number(QLatin1StringView("stopTimeMs"), out.stopTimeMs);
    const QJsonValue requested = reader.take(QLatin1StringView("stopRequestedAtMs"));
    if (requested.isDouble() && requested.toDouble() >= 0)
        out.stopRequestedAtMs = qint64(requested.toDouble());
    reader.flag(QLatin1StringView("markedForDeletion"), out.markedForDeletion);
    reader.flag(QLatin1StringView("heldOpen"), out.heldOpen);
    reader.flag(QLatin1StringView("notStoppable"), out.notStoppable);
}

void readFaults(ObjectReader &service, SimulatedService &out)
{
    const QJsonObject faults = service.object(QLatin1StringView("faults"));
    const QString &name = out.name;
    ObjectReader reader(faults, [&name] { return name + QStringLiteral(".faults"); });
    reader.flag(QLatin1StringView("cannotOpen"), out.cannotOpen);
    reader.flag(QLatin1StringView("configUnreadable"), out.configUnreadable);
    reader.numbers(QLatin1StringView("failingLevels"), out.failingLevels);
    service.adopt(reader);
}

QString stateText(SimulatedService::State state)
{
    switch (state) {
    case SimulatedService::State::Running:
        return StateRunning;
    case SimulatedService::State::StopPending:
        return StateStopPending;
    case SimulatedService::State::Stopped:
        break;
    }
    return StateStopped;
}

} // namespace

bool simulatedServiceFromJson(const QJsonValue &value, SimulatedService &service, QString *error)
{
    service = SimulatedService();
    const QJsonObject object = value.toObject();
    const QJsonValue name = object.value(QStringLiteral("name"));
    if (!value.isObject() || !name.isString() || name.toString().isEmpty()) {
        if (error)
            *error = QStringLiteral("a service has no \"name\"");
        return false;
    }
    service.name = name.toString();

    const QString &where = service.name;
    ObjectReader reader(object, [&where] { return where; });
    reader.take(QLatin1StringView("name"));
    reader.text(QLatin1StringView("displayName"), service.displayName);
    reader.number(QLatin1StringView("serviceType"), service.serviceType);
    reader.number(QLatin1StringView("startType"), service.startType);
    reader.number(QLatin1StringView("errorControl"), service.errorControl);
    reader.flag(QLatin1StringView("delayedAutoStart"), service.delayedAutoStart);
    reader.text(QLatin1StringView("binaryPath"), service.binaryPath);
    reader.text(QLatin1StringView("loadOrderGroup"), service.loadOrderGroup);
    reader.texts(QLatin1StringView("dependencies"), service.dependencies);
    reader.text(QLatin1StringView("account"), service.account);
    reader.text(QLatin1StringView("description"), service.description);
    readFailureActions(reader, service);
    reader.number(QLatin1StringView("sidType"), service.sidType);
    reader.number(QLatin1StringView("preshutdownTimeoutMs"), service.preshutdownTimeoutMs);
    reader.texts(QLatin1StringView("requiredPrivileges"), service.requiredPrivileges);
    reader.number(QLatin1StringView("launchProtected"), service.launchProtected);
    readState(reader, service);
    readFaults(reader, service);
    service.otherKeys = reader.rest();

    if (!reader.ok() && error)
        *error = reader.error();
    return reader.ok();
}

QJsonObject simulatedServiceToJson(const SimulatedService &service)
{
    QJsonObject object = service.otherKeys;
    object.insert(QStringLiteral("name"), service.name);
    object.insert(QStringLiteral("displayName"), service.displayName);
    object.insert(QStringLiteral("serviceType"), qint64(service.serviceType));
    object.insert(QStringLiteral("startType"), qint64(service.startType));
    object.insert(QStringLiteral("errorControl"), qint64(service.errorControl));
    object.insert(QStringLiteral("delayedAutoStart"), service.delayedAutoStart);
    object.insert(QStringLiteral("binaryPath"), service.binaryPath);
    object.insert(QStringLiteral("loadOrderGroup"), service.loadOrderGroup);
    object.insert(QStringLiteral("dependencies"), QJsonArray::fromStringList(service.dependencies));
    object.insert(QStringLiteral("account"), service.account);
    object.insert(QStringLiteral("description"), service.description);

    QJsonArray actions;
    for (const SimulatedFailureAction &action : service.actions) {
        actions.append(QJsonObject{{QStringLiteral("type"), qint64(action.type)},
                                   {QStringLiteral("delayMs"), qint64(action.delayMs)}});
    }
    object.insert(QStringLiteral("failureActions"),
                  QJsonObject{{QStringLiteral("resetPeriod"), qint64(service.resetPeriodSeconds)},
                              {QStringLiteral("rebootMessage"), service.rebootMessage},
                              {QStringLiteral("command"), service.command},
                              {QStringLiteral("actions"), actions}});

    object.insert(QStringLiteral("sidType"), qint64(service.sidType));
    object.insert(QStringLiteral("preshutdownTimeoutMs"), qint64(service.preshutdownTimeoutMs));
    object.insert(QStringLiteral("requiredPrivileges"),
                  QJsonArray::fromStringList(service.requiredPrivileges));
    object.insert(QStringLiteral("launchProtected"), qint64(service.launchProtected));
    object.insert(QStringLiteral("state"), stateText(service.state));
    object.insert(QStringLiteral("stopTimeMs"), qint64(service.stopTimeMs));
    if (service.stopRequestedAtMs >= 0)
        object.insert(QStringLiteral("stopRequestedAtMs"), service.stopRequestedAtMs);
    if (service.markedForDeletion)
        object.insert(QStringLiteral("markedForDeletion"), true);
    if (service.heldOpen)
        object.insert(QStringLiteral("heldOpen"), true);
    if (service.notStoppable)
        object.insert(QStringLiteral("notStoppable"), true);

    if (service.cannotOpen || service.configUnreadable || !service.failingLevels.isEmpty()) {
        QJsonArray levels;
        for (std::uint32_t level : service.failingLevels)
            levels.append(qint64(level));
        object.insert(QStringLiteral("faults"),
                      QJsonObject{{QStringLiteral("cannotOpen"), service.cannotOpen},
                                  {QStringLiteral("configUnreadable"), service.configUnreadable},
                                  {QStringLiteral("failingLevels"), levels}});
    }
    return object;
}

bool isWin32Service(const SimulatedService &service)
{
    return (service.serviceType & windows_values::ServiceWin32) != 0;
}

} // namespace platform
