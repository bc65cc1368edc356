// A firmware image: its description and its blocks (the one kpx2 carries: built_in_image.h).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "loader/loader_constants.h"

namespace kpx2 {

// The fields carry the names under which the header export writes them.
struct FirmwareImage {
    std::uint8_t device_type = 0;        // TypUrzadzeniaZPliku
    std::string_view device_name;        // NazwaUrzadzeniaZPliku, 5 characters
    std::string_view version;            // NumerWersjiZPliku, "d.dd"
    std::int32_t block_count = 0;        // IloscDanychZPliku
    bool four_byte_addresses = false;    // UzycAdresowaniaCzterobajtowego
    std::span<const std::uint8_t> data;  // TablicaDanych: block_count blocks of kBlockSize bytes
};

// The bytes of block `index`, which the caller has checked to lie in the image.
std::span<const std::uint8_t, kBlockSize> ImageBlockBytes(const FirmwareImage& image, int index);

// The image has a block `index`.
bool HasBlock(const FirmwareImage& image, std::int64_t index);

}  // namespace kpx2
