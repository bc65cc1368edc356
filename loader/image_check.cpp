#include "loader/image_check.h"

#include "loader/crc16_arc.h"

namespace kpx2 {

bool ImageIsWhole(const FirmwareImage& image, std::span<const std::uint16_t> block_crcs)
{
    if (image.block_count != kImageBlockCount || block_crcs.size() != static_cast<std::size_t>(image.block_count) ||
        image.data.size() != static_cast<std::size_t>(image.block_count) * kBlockSize)
        return false;
    for (int index = 0; index < image.block_count; ++index) {
        if (Crc16Arc(ImageBlockBytes(image, index)) != block_crcs[static_cast<std::size_t>(index)]) return false;
    }
    return true;
}

}  // namespace kpx2
