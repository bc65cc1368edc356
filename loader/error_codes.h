// How error numbers and the controller's status bytes become kpx2's result codes.
#pragma once

#include <cstdint>

namespace kpx2 {

// The line errors the last failed transfer saw.
struct LineErrors {
    bool overrun = false;
    bool parity = false;
    bool framing = false;
};

// The code of error number `number`: 0-77 as they are, but 20 and 21 (a byte not sent, not
// received) become 49, 50 or 51 for an overrun, parity or framing error (first match);
// 78-82 -> 101-105, 83-94 -> 107-118, 95-107 -> 200-212, 108 -> 215, 109 -> 217,
// 110-122 -> 220-232, 123 -> 234, 124 and above as they are.
std::uint8_t CodeOfNumber(std::uint8_t number, const LineErrors& line_errors);

// Where a status byte comes from: the block write gives status 1 a meaning of its own.
enum class StatusSource { Step, BlockWrite };

// The code of a status byte: 0 for status 0; 2-5 and 7-18 -> 100 + s; 19 -> 46; 100-109,
// 111, 112, 115, 117, 120-132 and 134 -> 100 + s; 1 -> 101 from a block write; any other 23.
std::uint8_t CodeOfStatus(std::uint8_t status, StatusSource source);

}  // namespace kpx2
