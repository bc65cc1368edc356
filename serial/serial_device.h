// The operating-system serial services both variants of the library call: open a device
// exclusively, apply line settings and time-outs, move bytes, purge and drain queues, drive
// and read the modem lines, wait for line events and collect line errors. The termios
// implementation is the real one; tests put a fake in its place (ScopedSerialSystem).
//
// Calls returning std::int32_t give 0 on success or an OS error code (never 0) on failure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace zudedize {

class ManualResetEvent;

// The line-settings block as the library applies it. Beyond these fields it always means:
// parity checking on, DSR flow control off, DTR and RTS lowered (until the line calls raise
// them), XON/XOFF off both ways, abort on error on.
struct LineSettings {
    std::int32_t baud_rate = 0;
    std::uint8_t parity = 0;          // parity code, 0 to 4
    std::int32_t stop_bits_code = 0;  // 0: one, 1: one and a half, 2: two
    std::int32_t data_bits = 8;
    bool cts_output_flow = false;
};

// The five time-out values, in milliseconds. A read waits at most
// read_multiplier x count + read_constant; with read_interval kReadIntervalNone and both
// read totals 0 it returns at once with what has arrived; with every read value 0 it waits
// without limit. A write waits at most write_multiplier x count + write_constant, without
// limit when both are 0. (Single-byte transfers make the interval value otherwise moot.)
struct CommTimeouts {
    std::uint32_t read_interval = 0;
    std::uint32_t read_multiplier = 0;
    std::uint32_t read_constant = 0;
    std::uint32_t write_multiplier = 0;
    std::uint32_t write_constant = 0;

    bool operator==(const CommTimeouts&) const = default;
};

enum class TransferStatus {
    Done,      // every byte moved
    TimedOut,  // the time-outs passed first; `count` tells how many moved
    Aborted,   // the abort event was set
    Failed,    // the device failed, or a line error is pending (abort on error)
};

struct Transfer {
    std::size_t count = 0;
    TransferStatus status = TransferStatus::Done;
    std::int32_t error = 0;  // OS error code when Failed
};

enum class PurgeQueues { Output, Input, AbortAndBoth };
enum class ModemControl { SetRts, ClearRts, SetDtr, ClearDtr };

// Outcome of waiting for the next line event.
struct EventWait {
    std::uint32_t events = 0;  // event bits that occurred (kEvent...)
    bool stopped = false;      // the stop event was set
    bool failed = false;       // the wait failed (the device went away)
};

// An open device. Destroying it closes the device.
class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // The value GetCOMHandle reports (the file descriptor on Linux).
    virtual std::intptr_t Handle() const = 0;

    virtual std::int32_t ApplyLineSettings(const LineSettings& settings) = 0;
    virtual std::int32_t SetQueueSizes(std::int32_t input, std::int32_t output) = 0;
    virtual std::int32_t GetTimeouts(CommTimeouts& timeouts) = 0;
    virtual std::int32_t SetTimeouts(const CommTimeouts& timeouts) = 0;
    virtual std::int32_t SetEventMask(std::uint32_t mask) = 0;

    // Waits for the next event of the mask, or until `stop` is set.
    virtual EventWait WaitEvent(const ManualResetEvent& stop) = 0;

    // Returns and clears the line errors (kLineError... bits) so that transfers work again.
    virtual std::int32_t CollectLineErrors(std::uint32_t& errors) = 0;

    virtual std::int32_t Purge(PurgeQueues queues) = 0;
    // Waits until the output queue has been sent; false when it cannot.
    virtual bool Drain() = 0;
    virtual bool EscapeFunction(ModemControl function) = 0;
    // CTS, DSR, ring and carrier as kModem... bits; false when they cannot be read.
    virtual bool ModemStatus(std::uint8_t& status) = 0;

    // Move n bytes within the time-outs; `abort` (may be null) ends the wait early.
    virtual Transfer Read(std::uint8_t* buffer, std::size_t n, const ManualResetEvent* abort) = 0;
    virtual Transfer Write(const std::uint8_t* buffer, std::size_t n, const ManualResetEvent* abort) = 0;
};

class SerialSystem {
public:
    virtual ~SerialSystem() = default;
    // Opens a character device exclusively for reading and writing. On failure returns null
    // with `error` set: kErrorFileNotFound, kErrorAccessDenied (also when in use),
    // kErrorInvalidHandle (not a character device) or another nonzero code.
    virtual std::unique_ptr<SerialDevice> Open(const std::string& path, std::int32_t& error) = 0;
    // Whether the device could be opened exclusively now: it is opened and closed again and
    // nothing else is done to it, so a line that another program holds and has set up is
    // left exactly as it was.
    virtual bool CanOpen(const std::string& path) = 0;
    // Starts a thread running `body`. Throws std::system_error when the system cannot start
    // one, as std::thread does (which it is, unless a test refuses).
    virtual std::thread StartThread(std::function<void()> body);
};

// The system the library uses now: the termios one unless a test put another in place.
SerialSystem& CurrentSerialSystem();

// Puts `system` in place for its lifetime (tests).
class ScopedSerialSystem {
public:
    explicit ScopedSerialSystem(SerialSystem& system);
    ~ScopedSerialSystem();
    ScopedSerialSystem(const ScopedSerialSystem&) = delete;
    ScopedSerialSystem& operator=(const ScopedSerialSystem&) = delete;

private:
    SerialSystem* previous_;
};

}  // namespace zudedize
