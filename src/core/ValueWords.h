#pragma once

#include <QString>

#include <cstdint>

// The fixed words in which the record holds enumerated service settings, made from the raw
// values that the Service Control Manager hands back.
namespace ValueWords {

QString startType(std::uint32_t startType, bool delayedAutoStart);
QString serviceType(std::uint32_t typeMask);
QString errorControl(std::uint32_t errorControl);
QString sidType(std::uint32_t sidType);
QString launchProtected(std::uint32_t launchProtected);
QString failureAction(std::uint32_t actionType);

// Whole days from a reset period in seconds; INFINITE and other values that are not positive
// as a signed 32-bit number give 0.
int failureResetDays(std::uint32_t resetPeriodSeconds);

} // namespace ValueWords
