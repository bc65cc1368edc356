// Times bytes as a serial line of a fixed character time would: a byte arrives one character
// time after it was sent or after the byte before it, whichever is later. One pacer serves one
// direction. A character time of zero makes the line instant.
#pragma once

#include <chrono>

namespace kpxsim {

using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC

class LinePacer {
public:
    explicit LinePacer(std::chrono::nanoseconds character_time) : character_time_(character_time) {}

    // When a byte put on the line at `sent` has fully arrived at the far end.
    Clock::time_point Arrival(Clock::time_point sent);

private:
    std::chrono::nanoseconds character_time_;
    Clock::time_point last_arrival_{};
};

}  // namespace kpxsim
