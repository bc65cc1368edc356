#include "loader/crc16_arc.h"

#include <array>
#include <bit>

namespace kpx2 {

namespace {

constexpr std::uint16_t kReflectedPolynomial = 0xA001;

constexpr std::array<std::uint16_t, 256> MakeTable()
{
    std::array<std::uint16_t, 256> table{};
    for (unsigned i = 0; i < table.size(); ++i) {
        std::uint16_t value = static_cast<std::uint16_t>(i);
        for (int bit = 0; bit < 8; ++bit)
            value = (value & 1) != 0 ? static_cast<std::uint16_t>((value >> 1) ^ kReflectedPolynomial)
                                     : static_cast<std::uint16_t>(value >> 1);
        table[i] = value;
    }
    return table;
}

constexpr std::array<std::uint16_t, 256> kTable = MakeTable();

}  // namespace

std::uint16_t Crc16ArcStep(std::uint16_t crc, std::uint8_t byte)
{
    return static_cast<std::uint16_t>((crc >> 8) ^ kTable[(crc ^ byte) & 0xFF]);
}

std::uint16_t Crc16Arc(std::span<const std::uint8_t> bytes, std::uint16_t crc)
{
    for (std::uint8_t byte : bytes) crc = Crc16ArcStep(crc, byte);
    return crc;
}

CheckBytes CheckBytesOf(std::uint16_t crc)
{
    const auto low = static_cast<std::uint8_t>(crc & 0xFF);
    const auto high = static_cast<std::uint8_t>(crc >> 8);
    return {std::rotr(low, 1), std::rotl(high, 5)};
}

}  // namespace kpx2
