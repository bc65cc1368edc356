// The payload of one image block as it goes on the wire and into the header export: the
// block's address (index x 128, least significant byte first, 2 or 4 bytes), its 128 data
// bytes and two check bytes over address and data.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "loader/firmware_image.h"

namespace kpx2 {

// Payload length for the image's address width: 132, or 134 with four-byte addresses.
std::size_t PayloadLength(const FirmwareImage& image);

// Builds the payload of block `index` at the start of `out` and returns its length; none,
// with `out` untouched, when the image has no such block or `out` is too short.
std::optional<std::size_t> BuildPayload(const FirmwareImage& image, std::int64_t index, std::span<std::uint8_t> out);

}  // namespace kpx2
