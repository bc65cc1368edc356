// The serial port library's numbers, in one place: results, parity codes, line defaults,
// events, time-out rules and settling waits of both variants.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace zudedize {

// Port slots and selector.
constexpr int kSlotCount = 256;
constexpr std::uint8_t kInitialSelector = 1;

// Results of the open and close calls besides 0 and the OS error codes.
constexpr std::int32_t kResultAlreadyInitialised = 5;  // threaded: the slot's port is open
constexpr std::int32_t kResultCannotOpen = 1;          // blocking: the device did not open
constexpr std::int32_t kResultSlotNotOpen = 2;         // blocking: the slot holds no open device
constexpr std::int32_t kCodeTransferFault = -1;        // threaded: last-error code of a transfer fault

// Handles GetCOMHandle reports for a slot without an open device.
constexpr std::intptr_t kNullHandle = 0;      // threaded: the slot never held a port
constexpr std::intptr_t kInvalidHandle = -1;  // a closed port

// OS error codes the library reports for a failed open. Callers and the last-error texts
// tell these three apart; elsewhere an OS error code is the errno value of the failing call.
constexpr std::int32_t kErrorFileNotFound = 2;
constexpr std::int32_t kErrorAccessDenied = 5;   // also: the device is in use
constexpr std::int32_t kErrorInvalidHandle = 6;  // also: not a character device
constexpr std::int32_t kErrorGeneralFailure = 31;

// Parity codes as the line settings take them.
constexpr std::uint8_t kParityNone = 0;
constexpr std::uint8_t kParityOdd = 1;
constexpr std::uint8_t kParityEven = 2;
constexpr std::uint8_t kParityMark = 3;
constexpr std::uint8_t kParitySpace = 4;

// Line settings at open.
constexpr std::uint8_t kDefaultParity = kParityEven;
constexpr std::int32_t kDefaultStopBitsCode = 0;  // 0: one, 1: one and a half, 2: two
constexpr std::int32_t kDefaultDataBits = 8;
constexpr std::int32_t kInputQueueSize = 4096;
constexpr std::int32_t kOutputQueueSize = 2048;
constexpr std::uint8_t kInitialCtsFlag = 1;

// Line events and the mask of the default event set (all nine).
constexpr std::uint32_t kEventRxChar = 0x01;
constexpr std::uint32_t kEventRxFlag = 0x02;
constexpr std::uint32_t kEventTxEmpty = 0x04;
constexpr std::uint32_t kEventCts = 0x08;
constexpr std::uint32_t kEventDsr = 0x10;
constexpr std::uint32_t kEventCarrier = 0x20;
constexpr std::uint32_t kEventBreak = 0x40;
constexpr std::uint32_t kEventLineError = 0x80;
constexpr std::uint32_t kEventRing = 0x100;
constexpr std::uint32_t kDefaultEventMask = 0x1FF;

// The threaded variant's event set: bit i stands for the event at position i of this table.
inline constexpr std::array<std::uint32_t, 9> kEventTable = {kEventBreak,     kEventCts,    kEventDsr,
                                                             kEventLineError, kEventRing,   kEventCarrier,
                                                             kEventRxChar,    kEventRxFlag, kEventTxEmpty};
constexpr std::uint16_t kDefaultEventSet = 0x1FF;  // all nine

// Line-error flags as collected from the device.
constexpr std::uint32_t kLineErrorRxOver = 0x01;
constexpr std::uint32_t kLineErrorOverrun = 0x02;
constexpr std::uint32_t kLineErrorParity = 0x04;
constexpr std::uint32_t kLineErrorFrame = 0x08;
constexpr std::uint32_t kLineErrorBreak = 0x10;
constexpr std::uint32_t kLineErrorTxFull = 0x100;

// Modem status bits.
constexpr std::uint8_t kModemCts = 0x10;
constexpr std::uint8_t kModemDsr = 0x20;
constexpr std::uint8_t kModemRing = 0x40;
constexpr std::uint8_t kModemCarrier = 0x80;

// Time-outs: the read interval value meaning "none" (a read returns at once with what has
// arrived when the totals are 0 too).
constexpr std::uint32_t kReadIntervalNone = 0xFFFFFFFF;
constexpr std::uint32_t kMillisecondsPerSecond = 1000;

// Settling waits.
constexpr int kThreadedSettleMs = 10;           // after an open step and a line-settings change
constexpr int kThreadedLinePatternWaitMs = 1;   // after UstawKanalZudedize
constexpr int kBlockingLinePatternWaitMs = 50;  // after UstawKanalZudedize
constexpr std::uint8_t kDefaultPortDelayMs = 100;

// The termios layer looks for line events this often.
constexpr int kEventPollMs = 10;

// The environment variable naming the REGEDIT4 file that stands in for the registry of the
// local machine, and the most of it that is read.
constexpr const char* kRegistryFileVariable = "ZUDEDIZE_REGISTRY";
constexpr std::size_t kRegistryFileMaxBytes = 16 * 1024 * 1024;

// Upper bound of a drain: twice the line time of what is queued, plus this.
constexpr int kDrainMarginMs = 1000;

}  // namespace zudedize
