// Rules both variants share: time-outs from seconds or milliseconds and the waits they
// give, the pause after CharSent, the DTR/RTS patterns of UstawKanalZudedize.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "serial/serial_device.h"

namespace zudedize {

// Whole seconds as milliseconds; negative counts as 0, and the result never reaches the
// "none" value of the read interval.
std::uint32_t SecondsToMilliseconds(std::int64_t seconds);

// The time-outs for a write time-out and a read time-out in milliseconds: read interval =
// read time-out, or none when it is 0; read total constant = read time-out; write total
// constant = write time-out; multipliers as given.
CommTimeouts TimeoutsOf(std::uint32_t write_ms, std::uint32_t read_ms, std::uint32_t read_multiplier,
                        std::uint32_t write_multiplier);

// How long a transfer of n bytes may wait under `timeouts`: 0 = return at once,
// -1 = without limit.
int ReadWaitMs(const CommTimeouts& timeouts, std::size_t n);
int WriteWaitMs(const CommTimeouts& timeouts, std::size_t n);

// The pause CharSent makes after the output has been flushed: one character time.
int CharSentWaitMs(std::int32_t baud_rate);

// The DTR and RTS levels of a line pattern 1 to 4; none for any other pattern.
struct LinePattern {
    bool dtr = false;
    bool rts = false;
};
std::optional<LinePattern> LinePatternOf(std::uint8_t pattern);

// Sleeps for a settling wait (nothing for 0 or less).
void Pause(int milliseconds);

}  // namespace zudedize
