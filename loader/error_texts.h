// The text of each result code.
#pragma once

#include <cstdint>
#include <string>

namespace kpx2 {

// The text of `code` with "COM%d" naming `port` and "%s" the accepted device; "unknown error"
// for a code without a text of its own.
std::string ErrorText(std::uint8_t code, std::uint8_t port);

}  // namespace kpx2
