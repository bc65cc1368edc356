// The modem-line calls both variants share: DTR and RTS one at a time or as a line pattern,
// and the modem status. Each variant passes the device of its current slot (null when the
// slot's port is not open) and its own settling wait.
#pragma once

#include <cstdint>

#include "serial/serial_device.h"

namespace zudedize {

// Raises or lowers one line; false when the port is not open or the device refused.
bool SetModemLine(SerialDevice* device, ModemControl function);

// Sets DTR and RTS to line pattern 1 to 4, then waits `wait_ms` whatever the outcome;
// false for any other pattern, a port that is not open or a line the device refused.
bool SetLinePattern(SerialDevice* device, std::uint8_t pattern, int wait_ms);

// CTS, DSR, ring and carrier as kModem... bits; 0 when the port is not open or the lines
// cannot be read.
std::uint8_t ModemStatusOf(SerialDevice* device);

}  // namespace zudedize
