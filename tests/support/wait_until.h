// The one way a test waits: for a condition, with a deadline. A test never sleeps a fixed
// time and then asserts; a loaded machine or a sanitizer build only makes a wait longer.
#pragma once

#include <chrono>
#include <functional>
#include <thread>

namespace orvel::testing {

// Generous: only a wait that fails takes this long.
inline constexpr std::chrono::milliseconds kWaitDeadline{10000};

// What a waiting thread does between two looks at its condition: it sleeps a millisecond. A
// test program whose main thread runs Qt's event loop lets the loop run instead
// (tests/support/event_loop_wait.h), so that the queued calls and timers it waits for happen.
using WaitStep = void (*)();
inline void SleepAMillisecond()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
}
inline WaitStep wait_step = SleepAMillisecond;

// Looks at `condition` until it holds; false when `deadline` passed first.
inline bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds deadline = kWaitDeadline)
{
    const auto end = std::chrono::steady_clock::now() + deadline;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end) return false;
        wait_step();
    }
    return true;
}

}  // namespace orvel::testing
