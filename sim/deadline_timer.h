// A timer descriptor for poll() that becomes readable at an absolute time on the monotonic
// clock (a timerfd). Absolute deadlines keep the wake-up late by the scheduler's delay only,
// never by the sum of earlier delays.
#pragma once

#include <optional>

#include "sim/line_timing.h"
#include "sim/unique_fd.h"

namespace kpxsim {

class DeadlineTimer {
public:
    DeadlineTimer();  // throws std::system_error

    int Fd() const { return fd_.Get(); }
    void Arm(std::optional<Clock::time_point> deadline);  // empty: disarm
    void Clear();                                         // after poll() reported it readable

private:
    UniqueFd fd_;
};

}  // namespace kpxsim
