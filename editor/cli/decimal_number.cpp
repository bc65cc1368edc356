#include "cli/decimal_number.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace orvel {

std::optional<int> ParseDecimal(std::string_view text)
{
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
    return value;
}

CLI::Validator DecimalIn(int low, int high)
{
    const std::string range = std::to_string(low) + " to " + std::to_string(high);
    return CLI::Validator(
        [low, high, range](std::string& text) -> std::string {
            const std::optional<int> value = ParseDecimal(text);
            if (value && *value >= low && *value <= high) {
                // Without leading zeros, which the parser's own conversion would read as octal.
                text = std::to_string(*value);
                return {};
            }
            return "\"" + text + "\" is not a decimal number from " + range;
        },
        "decimal " + range);
}

}  // namespace orvel
