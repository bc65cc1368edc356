// Opening, re-opening and closing the one serial port the loader drives.
#pragma once

#include <cstdint>

namespace kpx2 {

// Opens the port with these parameters: 8 data bits, even parity, CTS flow control off, the
// port delay at 10 ms. An open port with other parameters is drained and closed first (unless
// the leave-open setting keeps it, as it is); one with the same parameters is kept.
// Codes: the current one if set, 204 without a port number, 62 when it does not open.
std::uint8_t OpenPort(std::uint8_t port, std::int32_t speed, std::int32_t write_timeout_s, std::int32_t read_timeout_s);

// The kept port at `speed` with the time-outs of every step (1 s) or of the erase (31 s).
std::uint8_t OpenPortAt(std::int32_t speed);
std::uint8_t OpenPortForErase(std::int32_t speed);

// Discards both queues and closes the port, unless it is closed or the leave-open setting
// keeps it.
void ClosePort();

}  // namespace kpx2
