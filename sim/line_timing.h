// The time bytes take on a line whose speed changes: a character is 11 bits (start bit, 8 data
// bits, parity, stop bit) at the speed it travels at, and a space long enough is a break.
#pragma once

#include <chrono>
#include <cstdint>

namespace kpxsim {

using Clock = std::chrono::steady_clock;  // CLOCK_MONOTONIC

std::chrono::nanoseconds CharacterTimeAt(unsigned bits_per_second);

// The line is held at space for `byte`'s start bit and the zero bits after it (for a zero
// byte also its even parity bit) at `bits_per_second`: a break when that lasts at least
// loader::kBreakMinimum.
bool IsBreak(std::uint8_t byte, unsigned bits_per_second);

// Times one direction of the line: a byte arrives one character time (at its own speed) after
// it was sent or after the byte before it, whichever is later. Unpaced, bytes arrive when sent,
// in order.
class SpeedPacer {
public:
    explicit SpeedPacer(bool paced) : paced_(paced) {}

    Clock::time_point Arrival(Clock::time_point sent, unsigned bits_per_second);

private:
    bool paced_;
    Clock::time_point last_arrival_{};
};

}  // namespace kpxsim
