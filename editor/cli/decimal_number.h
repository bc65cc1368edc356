// Numbers on the companion's command line: whole decimal numbers only, so that "0x10" or
// "010" never name another preset than the one the user meant to type.
#pragma once

#include <optional>
#include <string_view>

#include <CLI/CLI.hpp>

namespace orvel {

// The number a text of decimal digits names (leading zeros allowed: "07" is 7); nothing
// for an empty text, a sign, spaces, any other character or a number beyond int.
std::optional<int> ParseDecimal(std::string_view text);

// For an argument's transform: a decimal number from `low` to `high`, passed on in its plain
// form. The refusal names the text given ("\"0x10\" is not a decimal number from 0 to
// 99"); the parser adds the argument's name.
CLI::Validator DecimalIn(int low, int high);

}  // namespace orvel
