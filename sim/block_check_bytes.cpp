#include "sim/block_check_bytes.h"

#include <bit>

namespace kpxsim {

std::uint16_t Crc16Arc(std::span<const std::uint8_t> bytes)
{
    // Bit by bit, as the controller's loader does it.
    std::uint16_t crc = 0;
    for (std::uint8_t byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc =
                (crc & 1) != 0 ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001) : static_cast<std::uint16_t>(crc >> 1);
    }
    return crc;
}

std::array<std::uint8_t, 2> BlockCheckBytes(std::span<const std::uint8_t> address_and_data)
{
    const std::uint16_t crc = Crc16Arc(address_and_data);
    return {std::rotr(static_cast<std::uint8_t>(crc & 0xFF), 1), std::rotl(static_cast<std::uint8_t>(crc >> 8), 5)};
}

}  // namespace kpxsim
