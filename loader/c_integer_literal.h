// C and C++ integer literals as the compiler reads them: decimal, octal after a leading 0,
// hexadecimal after 0x, binary after 0b, digit separators (') between digits and the
// suffixes u, l and ll in either order and either case. A firmware header is built by the
// compiler, so its values are read here the same way: "0117" is 79, not 117.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace kpx2 {

// The value of the literal, or none for a text the compiler would not read as one integer
// literal (or one too large for 64 bits).
std::optional<std::uint64_t> ReadIntegerLiteral(std::string_view text);

}  // namespace kpx2
