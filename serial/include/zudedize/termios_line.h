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

// Whether OpenLine would get the tty now, found without changing it: opened without
// settings, found neither locked nor in exclusive mode by another holder, closed again.
bool LineIsFree(const std::string& path);

// Gives up exclusive use and closes the descriptor, once the bytes written have had their
// line time (termios_line_time.h).
void CloseLine(int fd);

// Any speed in bit/s, standard or not (termios2 with BOTHER). False when the driver refuses it.
// This and SetLineFormat first let the bytes written have their line time at the old settings.
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
    bool aborted = false;    // the abort descriptor ended the wait
};

// Reads up to n bytes, waiting at most timeout_ms in all; a time-out of 0 returns at once
// with what is already there.
TransferResult ReadLine(int fd, std::uint8_t* buffer, std::size_t n, int timeout_ms);
// Writes n bytes, waiting at most timeout_ms in all for the line to take them.
TransferResult WriteLine(int fd, const std::uint8_t* buffer, std::size_t n, int timeout_ms);

// As ReadLine and WriteLine, except that a negative time-out waits without limit and that
// the wait ends early (aborted) once `abort_fd` is readable; -1 means no abort descriptor.
TransferResult ReadLineUntil(int fd, std::uint8_t* buffer, std::size_t n, int timeout_ms, int abort_fd);
TransferResult WriteLineUntil(int fd, const std::uint8_t* buffer, std::size_t n, int timeout_ms, int abort_fd);

// --- Control calls (termios_control.cpp). Those returning bool leave errno set on failure.

enum class LineQueue { Input, Output, Both };

// Discards what waits in the queue(s).
bool PurgeLine(int fd, LineQueue queue);

// Bytes waiting in the output queue (TIOCOUTQ) or the input queue (FIONREAD); -1 on failure.
int OutputQueueLength(int fd);
int InputQueueLength(int fd);

// Waits until the output queue has been handed to the hardware and sent, at most timeout_ms,
// and until the bytes written have had their line time.
// False on time-out (errno ETIMEDOUT) or when the driver fails.
bool DrainLine(int fd, int timeout_ms);

// Raises (`on`) or lowers the modem control outputs in `lines` (TIOCM_DTR, TIOCM_RTS).
// A device without modem lines (a pseudo-terminal) fails.
bool SetModemControl(int fd, int lines, bool on);
// Reads the modem lines as TIOCM_ bits into `lines`; fails where the device has none.
bool ReadModemLines(int fd, int& lines);

// The driver's counts of line conditions since the device was opened (TIOCGICOUNT).
struct LineCounters {
    std::uint32_t frame = 0, parity = 0, overrun = 0, buffer_overrun = 0, brk = 0;
    std::uint32_t cts = 0, dsr = 0, ring = 0, carrier = 0;
};
// False where the driver keeps no counters (a pseudo-terminal).
bool ReadLineCounters(int fd, LineCounters& counters);

// The input checks and flow control the serial port library uses: parity checking on
// (characters in error are kept, as zero bytes), XON/XOFF off both ways, and output flow
// control by CTS when `cts_flow` (Linux ties RTS input flow control to it).
bool SetLineChecks(int fd, bool cts_flow);

}  // namespace zudedize
