// The check the library makes of its built-in image before it offers it for an upgrade.
#pragma once

#include <cstdint>
#include <span>

#include "loader/firmware_image.h"

namespace kpx2 {

// Whether `image` is whole: the image's block count, 128 bytes for every block, and each
// block's CRC-16/ARC equal to `block_crcs`, the CRCs of the blocks as the header gave them.
bool ImageIsWhole(const FirmwareImage& image, std::span<const std::uint16_t> block_crcs);

}  // namespace kpx2
