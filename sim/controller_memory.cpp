#include "sim/controller_memory.h"

#include <stdexcept>
#include <string>

namespace kpxsim {

ControllerMemory::ControllerMemory()
{
    Reset();
}

bool ControllerMemory::Contains(std::uint8_t address)
{
    return address < wire::kPresetBlockCount ||
           (address >= wire::kFirstSettingsBlock && address <= wire::kLastSettingsBlock);
}

std::size_t ControllerMemory::Slot(std::uint8_t address)
{
    if (address < wire::kPresetBlockCount) return address;
    if (address >= wire::kFirstSettingsBlock && address <= wire::kLastSettingsBlock)
        return wire::kPresetBlockCount + (address - wire::kFirstSettingsBlock);
    throw std::out_of_range("kpx-sim: no memory block " + std::to_string(address));
}

const Block& ControllerMemory::Read(std::uint8_t address) const
{
    return blocks_[Slot(address)];
}

void ControllerMemory::Write(std::uint8_t address, const Block& data)
{
    blocks_[Slot(address)] = data;
}

void ControllerMemory::Reset()
{
    for (int preset = 0; preset < wire::kPresetCount; ++preset) {
        blocks_[Slot(static_cast<std::uint8_t>(preset))] = wire::kDefaultPresetFirstHalf;
        blocks_[Slot(static_cast<std::uint8_t>(preset + wire::kPresetCount))] = wire::kDefaultPresetSecondHalf;
    }
    blocks_[Slot(wire::kSpareBlock)] = wire::kDefaultSpareBlock;
    blocks_[Slot(wire::kCtrlNumbersBlock)] = wire::kDefaultCtrlNumbers;
    blocks_[Slot(wire::kBankFunctionsBlock)] = wire::kDefaultBankFunctions;
    blocks_[Slot(wire::kOptionsBlock)] = wire::kDefaultOptions;
}

}  // namespace kpxsim
