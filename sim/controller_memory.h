// The controller's block memory: blocks 0-199 (presets) and 250-253 (settings).
#pragma once

#include <array>
#include <cstdint>

#include "sim/controller_constants.h"
#include "sim/simulator.h"

namespace kpxsim {

class ControllerMemory {
public:
    ControllerMemory();  // factory contents

    static bool Contains(std::uint8_t address);

    // Both throw std::out_of_range for an address outside the memory.
    const Block& Read(std::uint8_t address) const;
    void Write(std::uint8_t address, const Block& data);

    void Reset();  // back to the factory contents

private:
    static std::size_t Slot(std::uint8_t address);

    std::array<Block, wire::kPresetBlockCount + wire::kSettingsBlockCount> blocks_{};
};

}  // namespace kpxsim
