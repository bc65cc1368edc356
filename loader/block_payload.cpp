#include "loader/block_payload.h"

#include <algorithm>

#include "loader/crc16_arc.h"

namespace kpx2 {

std::size_t PayloadLength(const FirmwareImage& image)
{
    return (image.four_byte_addresses ? kLongAddressLength : kShortAddressLength) + kBlockSize + kCheckByteCount;
}

std::optional<std::size_t> BuildPayload(const FirmwareImage& image, std::int64_t index, std::span<std::uint8_t> out)
{
    const std::size_t length = PayloadLength(image);
    if (!HasBlock(image, index) || out.size() < length) return std::nullopt;
    const std::size_t address_length = length - kBlockSize - kCheckByteCount;
    const auto address = static_cast<std::uint32_t>(index) * static_cast<std::uint32_t>(kBlockSize);
    for (std::size_t k = 0; k < address_length; ++k) out[k] = static_cast<std::uint8_t>(address >> (8 * k));
    const auto data = ImageBlockBytes(image, static_cast<int>(index));
    std::copy(data.begin(), data.end(), out.begin() + static_cast<std::ptrdiff_t>(address_length));
    const CheckBytes check = CheckBytesOf(Crc16Arc(out.first(address_length + kBlockSize)));
    out[address_length + kBlockSize] = check.first;
    out[address_length + kBlockSize + 1] = check.second;
    return length;
}

}  // namespace kpx2
