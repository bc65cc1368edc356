#include "serial/line_rules.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <thread>

#include "zudedize/zudedize_constants.h"

namespace zudedize {

namespace {

int WaitMs(std::uint32_t multiplier, std::uint32_t constant, std::size_t n)
{
    const std::uint64_t total = std::uint64_t{multiplier} * n + constant;
    if (total == 0) return -1;
    return static_cast<int>(std::min<std::uint64_t>(total, INT_MAX));
}

}  // namespace

std::uint32_t SecondsToMilliseconds(std::int64_t seconds)
{
    if (seconds <= 0) return 0;
    const std::uint64_t ms = static_cast<std::uint64_t>(seconds) * kMillisecondsPerSecond;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(ms, kReadIntervalNone - 1));
}

CommTimeouts TimeoutsOf(std::uint32_t write_ms, std::uint32_t read_ms, std::uint32_t read_multiplier,
                        std::uint32_t write_multiplier)
{
    CommTimeouts timeouts;
    timeouts.read_interval = read_ms == 0 ? kReadIntervalNone : read_ms;
    timeouts.read_multiplier = read_multiplier;
    timeouts.read_constant = read_ms;
    timeouts.write_multiplier = write_multiplier;
    timeouts.write_constant = write_ms;
    return timeouts;
}

int ReadWaitMs(const CommTimeouts& timeouts, std::size_t n)
{
    if (timeouts.read_interval == kReadIntervalNone && timeouts.read_multiplier == 0 && timeouts.read_constant == 0)
        return 0;
    return WaitMs(timeouts.read_multiplier, timeouts.read_constant, n);
}

int WriteWaitMs(const CommTimeouts& timeouts, std::size_t n)
{
    return WaitMs(timeouts.write_multiplier, timeouts.write_constant, n);
}

int CharSentWaitMs(std::int32_t baud_rate)
{
    switch (baud_rate) {
    case 300: return 64;
    case 600: return 32;
    case 1200: return 16;
    case 2400: return 8;
    case 4800: return 4;
    case 9600:
    case 14400: return 2;
    default: return 1;
    }
}

std::optional<LinePattern> LinePatternOf(std::uint8_t pattern)
{
    switch (pattern) {
    case 1: return LinePattern{false, true};
    case 2: return LinePattern{true, true};
    case 3: return LinePattern{false, false};
    case 4: return LinePattern{true, false};
    default: return std::nullopt;
    }
}

void Pause(int milliseconds)
{
    if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace zudedize
