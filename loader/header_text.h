// The text of the header export, the format the firmware image is built in from: nine
// header lines, one line per block and a closing line, every line ending in CR LF.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "loader/firmware_image.h"

namespace kpx2 {

// The #define lines, the flag, the type and the opening of the table (written before block 0).
std::string HeaderLines(const FirmwareImage& image);

// One block as a table row: "    {0x.., ..., 0x..}," ("}" without the comma for the last block).
std::string BlockLine(std::span<const std::uint8_t, kBlockSize> data, bool last_block);

// Written after the last block.
inline constexpr std::string_view kClosingLine = "  };\r\n";

}  // namespace kpx2
