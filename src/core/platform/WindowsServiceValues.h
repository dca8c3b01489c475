#pragma once

// Numbers of the Service Control Manager, as the Windows SDK names them, for code that works
// with raw values without including windows.h.

#include <cstdint>

namespace platform::windows_values {

// Service type bits.
constexpr std::uint32_t ServiceKernelDriver = 0x01;
constexpr std::uint32_t ServiceFileSystemDriver = 0x02;
constexpr std::uint32_t ServiceAdapter = 0x04;
constexpr std::uint32_t ServiceRecognizerDriver = 0x08;
constexpr std::uint32_t ServiceWin32OwnProcess = 0x10;
constexpr std::uint32_t ServiceWin32ShareProcess = 0x20;
constexpr std::uint32_t ServiceWin32 = ServiceWin32OwnProcess | ServiceWin32ShareProcess;
constexpr std::uint32_t ServiceUserOwnProcess = 0x50;
constexpr std::uint32_t ServiceUserShareProcess = 0x60;
constexpr std::uint32_t ServiceInteractiveProcess = 0x100;

// Start types.
constexpr std::uint32_t ServiceBootStart = 0;
constexpr std::uint32_t ServiceSystemStart = 1;
constexpr std::uint32_t ServiceAutoStart = 2;
constexpr std::uint32_t ServiceDemandStart = 3;
constexpr std::uint32_t ServiceDisabled = 4;

} // namespace platform::windows_values
