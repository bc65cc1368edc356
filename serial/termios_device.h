// The serial services on Linux: a tty driven through termios, ioctl and poll.
//
// What Linux lacks is made here: the five time-outs are kept with the open device and
// bound each poll-based transfer; abort on error is kept by comparing the driver's line
// counters (TIOCGICOUNT) with those at the last collection, so that after a framing,
// parity or overrun error transfers fail until the errors are collected; line events are
// found by looking at the counters and the queues every few milliseconds. Devices that
// have no counters or modem lines (a pseudo-terminal) report no line errors and fail the
// modem-line calls.
#pragma once

#include <mutex>

#include "serial/serial_device.h"
#include "zudedize/termios_line.h"

namespace zudedize {

class TermiosDevice final : public SerialDevice {
public:
    explicit TermiosDevice(int fd);
    ~TermiosDevice() override;
    TermiosDevice(const TermiosDevice&) = delete;
    TermiosDevice& operator=(const TermiosDevice&) = delete;

    std::intptr_t Handle() const override { return fd_; }
    std::int32_t ApplyLineSettings(const LineSettings& settings) override;
    std::int32_t SetQueueSizes(std::int32_t input, std::int32_t output) override;
    std::int32_t GetTimeouts(CommTimeouts& timeouts) override;
    std::int32_t SetTimeouts(const CommTimeouts& timeouts) override;
    std::int32_t SetEventMask(std::uint32_t mask) override;
    EventWait WaitEvent(const ManualResetEvent& stop) override;
    std::int32_t CollectLineErrors(std::uint32_t& errors) override;
    std::int32_t Purge(PurgeQueues queues) override;
    bool Drain() override;
    bool EscapeFunction(ModemControl function) override;
    bool ModemStatus(std::uint8_t& status) override;
    Transfer Read(std::uint8_t* buffer, std::size_t n, const ManualResetEvent* abort) override;
    Transfer Write(const std::uint8_t* buffer, std::size_t n, const ManualResetEvent* abort) override;

private:
    // What WaitEvent compares from one look to the next.
    struct Snapshot {
        bool have_counters = false;
        LineCounters counters;
        int input_queued = 0;
        int output_queued = 0;
    };

    Snapshot Look() const;
    bool LineErrorPending();
    // True when a line error was counted since the last read that took bytes off the line:
    // the driver hands a character received in error on as a good-looking zero byte, and it
    // stays queued after the errors are collected, so the read that takes it must fail.
    bool ReadTookErroredBytes(const TransferResult& result);
    Transfer Finish(const TransferResult& result, std::size_t n, bool line_errored);

    const int fd_;
    std::mutex mutex_;  // guards the members below
    CommTimeouts timeouts_;
    std::uint32_t event_mask_ = 0;
    bool have_counters_ = false;
    LineCounters collected_;  // counters at the last collection of line errors
    LineCounters read_from_;  // counters at the last read that took bytes, or purge of input
    Snapshot last_look_;
};

class TermiosSystem final : public SerialSystem {
public:
    std::unique_ptr<SerialDevice> Open(const std::string& path, std::int32_t& error) override;
    bool CanOpen(const std::string& path) override;
};

}  // namespace zudedize
