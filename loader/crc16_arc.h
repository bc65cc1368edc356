// CRC-16/ARC (reflected polynomial 0x8005, initial value 0, no final XOR) and the two check
// bytes a block payload carries.
#pragma once

#include <cstdint>
#include <span>

namespace kpx2 {

// One step of the table-driven CRC: `crc` is the running register, `byte` the next byte.
std::uint16_t Crc16ArcStep(std::uint16_t crc, std::uint8_t byte);

std::uint16_t Crc16Arc(std::span<const std::uint8_t> bytes, std::uint16_t crc = 0);

// Check byte 1: the low byte rotated right by one bit; check byte 2: the high byte rotated
// left by five (its nibbles swapped, then rotated left by one). 0x1234 gives 0x1A, 0x42.
struct CheckBytes {
    std::uint8_t first = 0;
    std::uint8_t second = 0;
};
CheckBytes CheckBytesOf(std::uint16_t crc);

}  // namespace kpx2
