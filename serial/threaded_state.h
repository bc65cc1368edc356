// The threaded variant's library-wide state (internal).
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include "serial/last_error.h"
#include "zudedize/zudedize_constants.h"

namespace zudedize::threaded {

class TComm;

struct State {
    std::atomic<std::uint8_t> selector{kInitialSelector};
    bool initialised = false;  // set by the first open, never cleared
    LastError last_error;
    std::atomic<bool> timeout{false};  // the last transfer moved no byte
    std::atomic<std::uint8_t> cts_flag{kInitialCtsFlag};
    std::atomic<std::uint8_t> parity_setting{kDefaultParity};
    std::optional<int> saved_priority;  // process priority found at the last open
    // Last, so that ports still open at exit close while the state above still exists.
    std::array<std::unique_ptr<TComm>, kSlotCount> ports;
};

State& Library();
// The port object of the current slot, or null.
TComm* CurrentPort();
// The current slot's port if its device is open, or null.
TComm* CurrentOpenPort();

// Records a failure in the last-error slot.
void Record(const char* text, std::int32_t code);
// errno as the code of a failure that has no better one (never 0).
std::int32_t CurrentOsError();

// Starts a worker thread of a port through the serial system. 0, or the system's code when
// no thread could be started (the text recorded); `thread` then stays empty.
std::int32_t StartWorkerThread(std::thread& thread, std::function<void()> body);

}  // namespace zudedize::threaded
