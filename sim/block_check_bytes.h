// The two check bytes the loader's block payloads end with: a CRC-16/ARC (reflected
// polynomial 0x8005, initial 0) over address and data, its low byte rotated right by one bit,
// its high byte rotated left by five.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace kpxsim {

std::uint16_t Crc16Arc(std::span<const std::uint8_t> bytes);

// The check bytes for the address and data bytes of a payload.
std::array<std::uint8_t, 2> BlockCheckBytes(std::span<const std::uint8_t> address_and_data);

}  // namespace kpxsim
