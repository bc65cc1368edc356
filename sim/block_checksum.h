// The checksum that ends every block on the line: 0x55 XOR each data byte.
#pragma once

#include <cstdint>

#include "sim/controller_constants.h"

namespace kpxsim {

template <typename Bytes>
constexpr std::uint8_t BlockChecksum(const Bytes& data)
{
    std::uint8_t sum = wire::kChecksumSeed;
    for (std::uint8_t byte : data) sum ^= byte;
    return sum;
}

}  // namespace kpxsim
