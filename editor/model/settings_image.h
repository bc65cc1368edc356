// The controller form of the settings: block 251 (CTRL numbers) and block 253 (options and
// MIDI channels), with their conversion to and from SettingsData. Some fields depend on the
// firmware version number of the controller (0 until one has identified itself).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/settings_data.h"

namespace orvel {

using SettingsBlock = std::array<std::uint8_t, 8>;

struct SettingsBlocks {
    SettingsBlock ctrl_numbers{};  // block 251, sent first
    SettingsBlock options{};       // block 253, sent only after block 251 was accepted

    bool operator==(const SettingsBlocks&) const = default;
};

// A settings field whose text the controller has no byte for. `column` is the settings
// grid column of the field (0-2 channels, 3-9 CTRL numbers).
struct SettingsFieldFault {
    int column = 0;
    std::string field;  // e.g. "MIDI channel 2" or "CTRL number 7"
    std::string text;   // the offending text
};

// What a controller at its factory defaults holds in blocks 251 and 253.
SettingsBlocks FactorySettingsBlocks();

// Encodes the settings for a controller of the given firmware version. Returns false, fills
// `fault` (when given) and leaves `blocks` untouched when a MIDI channel is not a whole
// number 1 to 256 or a CTRL number not one 0 to 255 (the ranges a controller's bytes decode
// to; the grid takes less). Key settings take any text: one a
// tile does not know encodes as that tile's rules say for "any other text".
bool EncodeSettings(const SettingsData& settings, std::uint8_t firmware_version, SettingsBlocks& blocks,
                    SettingsFieldFault* fault = nullptr);

// Decodes blocks read from a controller of the given firmware version into the settings.
// The wah-pad loop tile keeps its code when byte 5 is above 5; below version 2 the AUX mode
// tile keeps its code, and so does it for an AUX byte other than 0 and 1.
void DecodeSettings(const SettingsBlocks& blocks, std::uint8_t firmware_version, SettingsData& settings);

}  // namespace orvel
