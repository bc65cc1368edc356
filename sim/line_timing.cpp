#include "sim/line_timing.h"

#include <algorithm>
#include <bit>

#include "sim/controller_constants.h"
#include "sim/loader_constants.h"

namespace kpxsim {

std::chrono::nanoseconds CharacterTimeAt(unsigned bits_per_second)
{
    if (bits_per_second == 0) return std::chrono::nanoseconds{0};
    return std::chrono::nanoseconds{(wire::kBitsPerCharacter * 1'000'000'000ULL + bits_per_second / 2) /
                                    bits_per_second};
}

bool IsBreak(std::uint8_t byte, unsigned bits_per_second)
{
    if (bits_per_second == 0) return false;
    constexpr unsigned kDataBits = 8;
    // Start bit, the zero data bits before the first one, and the parity bit of a zero byte.
    const unsigned space_bits = byte == 0 ? 1 + kDataBits + 1 : 1 + static_cast<unsigned>(std::countr_zero(byte));
    const auto space = std::chrono::nanoseconds{space_bits * 1'000'000'000ULL / bits_per_second};
    return space >= loader::kBreakMinimum;
}

Clock::time_point SpeedPacer::Arrival(Clock::time_point sent, unsigned bits_per_second)
{
    last_arrival_ = std::max(sent, last_arrival_);
    if (paced_) last_arrival_ += CharacterTimeAt(bits_per_second);
    return last_arrival_;
}

}  // namespace kpxsim
