#pragma once

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace platform {

// One recovery action as Windows stores it: SC_ACTION_* type and delay in milliseconds.
struct SimulatedFailureAction
{
    std::uint32_t type = 0;
    std::uint32_t delayMs = 0;
};

// One entry of the simulated service database: what the Service Control Manager would hand
// back for the service (raw Windows numbers), its run state, and faults that tests switch on.
struct SimulatedService
{
    enum class State { Stopped, Running, StopPending };

    QString name; // the key name; looked up without regard to case, as Windows does
    QString displayName;
    std::uint32_t serviceType = 0; // SERVICE_* type mask
    std::uint32_t startType = 0;   // SERVICE_*_START
    std::uint32_t errorControl = 0;
    bool delayedAutoStart = false;
    QString binaryPath;
    QString loadOrderGroup;
    QStringList dependencies;
    QString account;
    QString description;

    std::uint32_t resetPeriodSeconds = 0;
    QString rebootMessage;
    QString command;
    QList<SimulatedFailureAction> actions;

    std::uint32_t sidType = 0;
    std::uint32_t preshutdownTimeoutMs = 0;
    QStringList requiredPrivileges;
    std::uint32_t launchProtected = 0;

    State state = State::Stopped;
    std::uint32_t stopTimeMs = 0; // how long a requested stop takes
    // When the pending stop was asked for (ms since the epoch); -1 when unknown, and then the
    // service hangs in stop_pending like a service that does not answer.
    qint64 stopRequestedAtMs = -1;
    bool markedForDeletion = false;
    // Another program (the Services console, say) has the service open: a delete only marks it,
    // and it goes once it is released and stopped.
    bool heldOpen = false;
    // The service does not accept a stop request (NOT_STOPPABLE).
    bool notStoppable = false;

    bool cannotOpen = false;
    bool configUnreadable = false;
    QList<std::uint32_t> failingLevels;

    // Keys of the service's object that this program does not know; kept when it is rewritten.
    QJsonObject otherKeys;
};

// Reads one service object. False, with what is wrong and where, when a key holds a value of
// the wrong kind or out of range; missing keys keep their defaults, but "name" is required.
bool simulatedServiceFromJson(const QJsonValue &value, SimulatedService &service,
                              QString *error = nullptr);
QJsonObject simulatedServiceToJson(const SimulatedService &service);

bool isWin32Service(const SimulatedService &service);

} // namespace platform
