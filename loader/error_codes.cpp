#include "loader/error_codes.h"

#include "loader/loader_constants.h"

namespace kpx2 {

namespace {

bool Within(unsigned value, unsigned first, unsigned last)
{
    return value >= first && value <= last;
}

// One range of error numbers and the code its first number gives.
struct NumberRange {
    std::uint8_t first;
    std::uint8_t last;
    std::uint8_t first_code;
};

constexpr NumberRange kNumberRanges[] = {
    {78, 82, 101}, {83, 94, 107}, {95, 107, 200}, {108, 108, 215}, {109, 109, 217}, {110, 122, 220}, {123, 123, 234},
};

constexpr std::uint8_t kStatusOf46 = 19;

}  // namespace

std::uint8_t CodeOfNumber(std::uint8_t number, const LineErrors& line_errors)
{
    if (number == kNumberNotSent || number == kNumberNotReceived) {
        if (line_errors.overrun) return code::kOverrun;
        if (line_errors.parity) return code::kParityError;
        if (line_errors.framing) return code::kFramingError;
        return number;
    }
    for (const NumberRange& range : kNumberRanges)
        if (Within(number, range.first, range.last))
            return static_cast<std::uint8_t>(range.first_code + (number - range.first));
    return number;
}

std::uint8_t CodeOfStatus(std::uint8_t status, StatusSource source)
{
    const unsigned s = status;
    if (s == kStatusDone) return code::kSuccess;
    if (s == kStatusCrcError && source == StatusSource::BlockWrite) return code::kCrcError;
    if (Within(s, 2, 5) || Within(s, 7, 18)) return static_cast<std::uint8_t>(100 + s);
    if (s == kStatusOf46) return code::kStatus19;
    if (Within(s, 100, 109) || s == 111 || s == 112 || s == 115 || s == 117 || Within(s, 120, 132) || s == 134)
        return static_cast<std::uint8_t>(100 + s);
    return code::kIncorrectAnswer;
}

}  // namespace kpx2
