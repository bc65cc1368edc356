// The controller's global settings as the editor holds them: the texts of the settings
// grid's value row and of the eight option tiles.
#pragma once

#include <array>
#include <string>

#include "model/settings_constants.h"

namespace orvel {

struct SettingsData {
    // MIDI channels of outputs 1-3, "1" to "16"; grid columns 0-2.
    std::array<std::string, kMidiChannelCount> midi_channels{std::string(kDefaultMidiChannels[0]),
                                                             std::string(kDefaultMidiChannels[1]),
                                                             std::string(kDefaultMidiChannels[2])};
    // CTRL numbers 1-7, "0" to "127"; grid columns 3-9.
    std::array<std::string, kCtrlNumberCount> ctrl_numbers{
        std::string(kDefaultCtrlNumbers[0]), std::string(kDefaultCtrlNumbers[1]), std::string(kDefaultCtrlNumbers[2]),
        std::string(kDefaultCtrlNumbers[3]), std::string(kDefaultCtrlNumbers[4]), std::string(kDefaultCtrlNumbers[5]),
        std::string(kDefaultCtrlNumbers[6])};
    // Option codes of tiles 1-8 (index 0 is tile 1). Any text may stand here after a file
    // load; only the tile's own codes are ever produced by clicks and reads.
    std::array<std::string, kTileCount> keys{std::string(kDefaultKeyCodes[0]), std::string(kDefaultKeyCodes[1]),
                                             std::string(kDefaultKeyCodes[2]), std::string(kDefaultKeyCodes[3]),
                                             std::string(kDefaultKeyCodes[4]), std::string(kDefaultKeyCodes[5]),
                                             std::string(kDefaultKeyCodes[6]), std::string(kDefaultKeyCodes[7])};

    bool operator==(const SettingsData&) const = default;
};

}  // namespace orvel
