#include "ui/rules/device_commands.h"

#include "ui/rules/popup_captions.h"

namespace orvel {

namespace {

// What follows a bank or preset command's words: the bank digit, or the preset number in
// two digits.
std::string TargetSuffix(CommandTarget target, std::uint8_t preset)
{
    switch (target) {
    case CommandTarget::Bank: return " " + std::to_string(preset % 100 / 10);
    case CommandTarget::Preset: return " " + TwoDigitPreset(static_cast<std::uint8_t>(preset % 100));
    case CommandTarget::Whole: break;
    }
    return {};
}

}  // namespace

const DeviceCommandInfo& DeviceCommandOf(DeviceCommand command)
{
    return kDeviceCommands[static_cast<std::size_t>(command)];
}

std::string CommandCaptionFor(const DeviceCommandInfo& info, std::uint8_t preset)
{
    if (info.target == CommandTarget::Whole) return std::string(info.caption);
    return std::string(info.name) + TargetSuffix(info.target, preset);
}

std::string CommandStepFor(const DeviceCommandInfo& info, std::uint8_t preset)
{
    return std::string(info.step) + TargetSuffix(info.target, preset);
}

}  // namespace orvel
