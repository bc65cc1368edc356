#include "loader/c_integer_literal.h"

#include <array>
#include <limits>

namespace kpx2 {

namespace {

// The suffixes a C++20 compiler takes after an integer literal.
constexpr std::array<std::string_view, 23> kLiteralSuffixes{"",   "u",  "U",  "l",   "L",   "ll",  "LL",  "ul",
                                                            "uL", "Ul", "UL", "ull", "uLL", "Ull", "ULL", "lu",
                                                            "lU", "Lu", "LU", "llu", "llU", "LLu", "LLU"};

// The value of one digit in the base, or none.
std::optional<unsigned> DigitValue(char c, unsigned base)
{
    unsigned value = base;
    if (c >= '0' && c <= '9')
        value = static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'f')
        value = static_cast<unsigned>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
        value = static_cast<unsigned>(c - 'A' + 10);
    if (value >= base) return std::nullopt;
    return value;
}

// Where the digits of the base end: the first character that is neither one of its digits
// nor a separator.
std::size_t DigitsEnd(std::string_view text, unsigned base)
{
    std::size_t end = 0;
    while (end < text.size() && (text[end] == '\'' || DigitValue(text[end], base))) ++end;
    return end;
}

// Digits of the base with separators only between two digits; none when a separator stands
// elsewhere, a digit is foreign to the base or the value passes 64 bits.
std::optional<std::uint64_t> DigitsValue(std::string_view digits, unsigned base)
{
    if (digits.empty() || digits.front() == '\'' || digits.back() == '\'') return std::nullopt;
    std::uint64_t value = 0;
    char previous = 0;
    for (const char c : digits) {
        if (c == '\'') {
            if (previous == '\'') return std::nullopt;
        } else {
            const std::optional<unsigned> digit = DigitValue(c, base);
            if (!digit || value > (std::numeric_limits<std::uint64_t>::max() - *digit) / base) return std::nullopt;
            value = value * base + *digit;
        }
        previous = c;
    }
    return value;
}

}  // namespace

std::optional<std::uint64_t> ReadIntegerLiteral(std::string_view text)
{
    if (text.empty() || text.front() < '0' || text.front() > '9') return std::nullopt;
    unsigned base = 10;
    std::string_view rest = text;
    if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        rest.remove_prefix(2);
    } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'b' || text[1] == 'B')) {
        base = 2;
        rest.remove_prefix(2);
    } else if (text[0] == '0') {
        // Octal: the leading 0 is a digit of its own, so "0" and "0'7" stand as they are.
        base = 8;
    }
    // The digits are those of any base up to 16, so that a digit foreign to this base is
    // refused rather than taken for the start of a suffix ("089", "0b12").
    const std::size_t end = DigitsEnd(rest, base == 16 ? 16 : 10);
    const std::string_view suffix = rest.substr(end);
    bool known_suffix = false;
    for (const std::string_view s : kLiteralSuffixes) known_suffix = known_suffix || s == suffix;
    if (!known_suffix) return std::nullopt;
    return DigitsValue(rest.substr(0, end), base);
}

}  // namespace kpx2
