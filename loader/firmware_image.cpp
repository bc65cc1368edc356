#include "loader/firmware_image.h"

#include <cstddef>

namespace kpx2 {

std::span<const std::uint8_t, kBlockSize> ImageBlockBytes(const FirmwareImage& image, int index)
{
    return image.data.subspan(static_cast<std::size_t>(index) * kBlockSize).first<kBlockSize>();
}

bool HasBlock(const FirmwareImage& image, std::int64_t index)
{
    return index >= 0 && index < image.block_count &&
           static_cast<std::size_t>(index + 1) * kBlockSize <= image.data.size();
}

}  // namespace kpx2
