// Checking a firmware header in the export format before the library is built from it. A C++
// compiler takes a block line with too few bytes, or a table with fewer block lines than its
// count, and fills the rest with zeros; flashed, such an image ruins the controller. So the
// values the header gives are counted here, line by line, not the sizes its arrays declare.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kpx2 {

struct HeaderTableCheck {
    std::vector<std::string> problems;      // empty: the header is whole
    std::vector<std::uint16_t> block_crcs;  // CRC-16/ARC of each block's bytes as given
};

// Checks the `#define IloscDanychZPliku` count against the library's 89 blocks and the
// `TablicaDanych` table against that count, each block against its 128 bytes. Each problem
// names the block and what is missing or wrong.
HeaderTableCheck CheckHeaderTable(std::string_view header);

}  // namespace kpx2
