// Small operating-system calls on a serial line (a tty) through termios: the layer under the
// USB converter calls and the serial port library. Each function does one thing and reports
// failure by its result; none of them throws.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace zudedize {

enum class Parity : std::uint8_t { None, Odd, Even, Mark, Space };

enum class OpenError { None, NotFound, AccessDenied, NotCharacterDevice, Busy, Other };

// Opens a tty for reading and writing, exclusively, in raw mode (non-blocking descriptor; the
// read and write calls below wait with poll). Returns the descriptor, or -1 with `error` set.
int OpenLine(const std::string& path, OpenError& error);

// Gives up exclusive use and closes the descriptor.
void CloseLine(int fd);

// Any speed in bit/s, standard or not (termios2 with BOTHER). False when the driver refuses it.
bool SetLineSpeed(int fd, std::uint32_t bits_per_second);
// The output speed the line is set to, in bit/s, or 0 when it cannot be read.
std::uint32_t LineSpeed(int fd);

bool SetLineFormat(int fd, int data_bits, int stop_bits, Parity parity);
bool SetLineFlowControl(int fd, bool rts_cts, bool xon_xoff, std::uint8_t xon, std::uint8_t xoff);

// Asks the driver to hand on received bytes at once rather than after its latency timer.
// Drivers that know no such thing (a pseudo-terminal) are left as they are.
void RequestLowLatency(int fd);

struct TransferResult {
    std::size_t count = 0;   // bytes moved
    bool line_lost = false;  // the device went away (unplugged, hung up)
};

// Reads up to n bytes, waiting at most timeout_ms in all; a time-out of 0 returns at once
// with what is already there.
TransferResult ReadLine(int fd, std::uint8_t* buffer, std::size_t n, int timeout_ms);
// Writes n bytes, waiting at most timeout_ms in all for the line to take them.
TransferResult WriteLine(int fd, const std::uint8_t* buffer, std::size_t n, int timeout_ms);

}  // namespace zudedize
