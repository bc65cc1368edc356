// The controller's identity text (six characters) and what the editor derives from it.
// Long form: the third character is the "X" of "KPX" and the version is 10 x the last digit.
// Short form: any other third character; the version is the two last digits.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace orvel {

bool IsLongIdentity(const std::string& identity);

// The firmware version number, or nothing when the version positions are not digits.
std::optional<std::uint8_t> FirmwareVersionOf(const std::string& identity);

// The identity as the title and the status bar show it: a long form's final "0" shows as
// "x"; a short form gets the "X" after its second character.
std::string ShownIdentity(const std::string& identity);

}  // namespace orvel
