// One preset as the editor holds it: the texts and check states of a preset grid row.
#pragma once

#include <array>
#include <string>

namespace orvel {

struct PresetData {
    std::string modifier = "PRESET";  // "PRESET", "LOOP", "SWITCH" or "MIDI"
    std::string name;                 // up to 15 characters; never sent to the controller
    bool buffer = false;
    std::array<bool, 6> loops{};     // loops 1 to 6
    std::array<bool, 4> switches{};  // switches 1 to 4
    std::string midi1 = "unu";       // "unu" or "1" to "128"
    std::string midi2 = "unu";
    std::string midi3_pc = "unu";
    std::array<std::string, 7> ctrls{"unu", "unu", "unu", "unu", "unu", "unu", "unu"};  // "unu", "tog" or "0" to "128"
    std::array<bool, 2> aux{};                                                          // AUX 1 and 2
    bool bank_function = false;  // wah-pad function of the bank a clipboard copy came from

    bool operator==(const PresetData&) const = default;
};

}  // namespace orvel
