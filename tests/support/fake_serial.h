// A fake of the operating-system serial services, for what a pseudo-terminal cannot do:
// line errors, modem lines, refused settings, and a record of what the library applied.
#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "serial/manual_reset_event.h"
#include "serial/serial_device.h"

namespace zudedize::test {

// One fake device; the test reads and sets it while the library uses it.
struct FakeLine {
    std::mutex mutex;
    bool open = false;
    std::vector<LineSettings> applied;       // every line-settings block applied
    std::vector<CommTimeouts> timeouts_set;  // every SetTimeouts
    CommTimeouts timeouts;                   // as the device holds them now
    bool has_modem_lines = true;
    bool dtr = true, rts = true;  // raised at open, as a tty raises them
    std::uint8_t modem_status = 0;
    std::deque<std::uint8_t> input;
    std::vector<std::uint8_t> output;
    // Writes: time out, fail with an OS error, or wait for the abort event.
    enum class WriteMode { Take, TimeOut, Fail, Hold } write_mode = WriteMode::Take;
    std::uint32_t pending_errors = 0;       // transfers fail until collected
    std::int32_t refuse_line_settings = 0;  // nonzero: ApplyLineSettings fails with it
    std::int32_t refuse_queue_sizes = 0;
    std::unique_ptr<ManualResetEvent> event_posted = ManualResetEvent::Create(false);
    std::uint32_t posted_events = 0;

    // Makes the device report line events to the event-watching thread.
    void PostEvents(std::uint32_t events);
    // A character arrives with a line error: the driver counts the error and queues a zero
    // byte in its place. The read that takes that byte fails, whoever collected the error.
    void ReceiveInError(std::uint32_t error);
    std::uint32_t PendingErrors();

    // Stream positions of queued bytes received in error; bytes taken off or purged so far.
    std::vector<std::uint64_t> errored_positions;
    std::uint64_t consumed = 0;
    LineSettings LastApplied();
};

class FakeSerialSystem final : public SerialSystem {
public:
    // A device at `path` (map a COM port to it with ZUDEDIZE_COM<n>).
    std::shared_ptr<FakeLine> Add(const std::string& path);
    std::unique_ptr<SerialDevice> Open(const std::string& path, std::int32_t& error) override;
    bool CanOpen(const std::string& path) override;

private:
    std::map<std::string, std::shared_ptr<FakeLine>> lines_;
};

}  // namespace zudedize::test
